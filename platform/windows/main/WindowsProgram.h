#pragma once

#include <string>

#include "platform/windows/system/Handles.h"
#include "ui/main/Application.h"

namespace velnix::windows_platform {

// The name of the program's mutex, without its namespace.
inline constexpr wchar_t kProgramMutex[] = L"Velnix-Connect";

// The running program: one copy per session, told by a named mutex of the session's namespace,
// and the end of its message loop.
class WindowsProgram : public Application {
  public:
    // `mutexName` without its namespace.
    explicit WindowsProgram(std::wstring mutexName = kProgramMutex);

    // The first call creates the mutex, held until the program ends.
    bool AnotherCopyRunning() override;
    // Ends the message loop at once, nested loops included; no window is closed before.
    void Quit() override;
    // Whether the program asked to end, rather than its last main window closing.
    bool QuitAsked() const { return quitAsked_; }

  private:
    std::wstring mutexName_;
    UniqueHandle mutex_;
    bool another_ = false;
    bool quitAsked_ = false;
};

}  // namespace velnix::windows_platform
