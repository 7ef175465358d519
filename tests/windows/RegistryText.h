#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace velnix::windows_platform {

// A REG_SZ value as the system holds it, read with the system's own call; nothing when absent.
std::optional<std::wstring> RegistryText(HKEY root, const std::wstring& path,
                                         const std::wstring& name);

// Removes HKEY_CURRENT_USER\<path> and everything under it when the test ends.
class ScratchKey {
  public:
    explicit ScratchKey(std::wstring path) : path_(std::move(path)) {}
    ~ScratchKey() { RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str()); }
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

  private:
    std::wstring path_;
};

// A key name of this test process's own, below HKEY_CURRENT_USER\Software.
std::string OwnKeyName();

}  // namespace velnix::windows_platform
