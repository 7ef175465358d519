#pragma once

#include <windows.h>

#include <utility>

namespace velnix::windows_platform {

// Owns one handle and closes it once, with the close call of its kind (`Kind`: the handle type,
// its empty value and its close call). Moves, never copies.
template <typename Kind>
class Unique {
  public:
    using Handle = typename Kind::Handle;

    Unique() = default;
    explicit Unique(Handle handle) : handle_(handle) {}
    Unique(Unique&& other) noexcept : handle_(other.Release()) {}
    Unique& operator=(Unique&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    ~Unique() { Reset(); }

    Handle Get() const { return handle_; }
    // Where a system call writes a new handle; any handle held is closed first.
    Handle* Receive() {
        Reset();
        return &handle_;
    }
    // Gives the handle up without closing it.
    Handle Release() { return std::exchange(handle_, Kind::kEmpty); }
    void Reset(Handle handle = Kind::kEmpty) {
        if (handle_ != Kind::kEmpty) Kind::Close(handle_);
        handle_ = handle;
    }

  private:
    Handle handle_ = Kind::kEmpty;
};

// Processes, threads, files.
struct KernelObject {
    using Handle = HANDLE;
    static constexpr Handle kEmpty = nullptr;
    static void Close(Handle handle) { ::CloseHandle(handle); }
};
using UniqueHandle = Unique<KernelObject>;

// Registry keys opened or created (never the predefined roots).
struct RegistryKey {
    using Handle = HKEY;
    static constexpr Handle kEmpty = nullptr;
    static void Close(Handle handle) { ::RegCloseKey(handle); }
};
using UniqueKey = Unique<RegistryKey>;

// Fonts, brushes, pens and bitmaps, deleted once no device context has them selected.
struct GdiObject {
    using Handle = HGDIOBJ;
    static constexpr Handle kEmpty = nullptr;
    static void Close(Handle handle) { ::DeleteObject(handle); }
};
using UniqueGdiObject = Unique<GdiObject>;

// Memory device contexts (never a window's own, which ReleaseDC gives back).
struct MemoryDc {
    using Handle = HDC;
    static constexpr Handle kEmpty = nullptr;
    static void Close(Handle handle) { ::DeleteDC(handle); }
};
using UniqueMemoryDc = Unique<MemoryDc>;

// Icons loaded or made by the program (never shared ones).
struct Icon {
    using Handle = HICON;
    static constexpr Handle kEmpty = nullptr;
    static void Close(Handle handle) { ::DestroyIcon(handle); }
};
using UniqueIcon = Unique<Icon>;

// Menus not attached to a window.
struct Menu {
    using Handle = HMENU;
    static constexpr Handle kEmpty = nullptr;
    static void Close(Handle handle) { ::DestroyMenu(handle); }
};
using UniqueMenu = Unique<Menu>;

}  // namespace velnix::windows_platform
