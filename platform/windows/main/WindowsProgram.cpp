#include "platform/windows/main/WindowsProgram.h"

#include <utility>

namespace velnix::windows_platform {

WindowsProgram::WindowsProgram(std::wstring mutexName) : mutexName_(std::move(mutexName)) {}

// A mutex that cannot be created for another reason does not keep the user from starting the
// program.
bool WindowsProgram::AnotherCopyRunning() {
    if (mutex_.Get() || another_) return another_;
    const std::wstring name = L"Local\\" + mutexName_;
    mutex_.Reset(CreateMutexW(nullptr, FALSE, name.c_str()));
    another_ = mutex_.Get() && GetLastError() == ERROR_ALREADY_EXISTS;
    // Only the first copy holds the mutex: the name goes with it.
    if (another_) mutex_.Reset();
    return another_;
}

void WindowsProgram::Quit() {
    quitAsked_ = true;
    PostQuitMessage(0);
}

}  // namespace velnix::windows_platform
