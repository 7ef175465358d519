#pragma once

#include <unknwn.h>

#include <utility>

namespace velnix::windows_platform {

// Holds one reference to a COM object and releases it once. Moves, never copies.
template <typename T>
class ComRef {
  public:
    ComRef() = default;
    // Takes over a reference the caller already holds.
    explicit ComRef(T* object) : object_(object) {}
    ComRef(ComRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    ComRef& operator=(ComRef&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.object_, nullptr));
        return *this;
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef() { Reset(); }

    // A new reference of its own to `object`.
    static ComRef Share(T* object) {
        if (object) object->AddRef();
        return ComRef(object);
    }

    T* Get() const { return object_; }
    T* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    // Where a call writes a new reference; any reference held is released first.
    T** Receive() {
        Reset();
        return &object_;
    }
    // Gives the reference up without releasing it.
    T* Detach() { return std::exchange(object_, nullptr); }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }
    void Reset(T* object = nullptr) {
        if (object_) object_->Release();
        object_ = object;
    }

  private:
    T* object_ = nullptr;
};

}  // namespace velnix::windows_platform
