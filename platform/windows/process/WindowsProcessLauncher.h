#pragma once

#include <cstdint>
#include <string>

#include "engine/ProcessLauncher.h"

namespace velnix::windows_platform {

// Starts the command line as it stands with CreateProcessW and no application name, so the
// system splits it and finds its program as it always does: the program's own folder, the
// current folder, the system folders, then PATH. The new process inherits no handle, is not
// waited for, and its handles are closed at once. A command that cannot start throws
// ProcessStartError naming the program (never the rest of the line, which may hold a password)
// with the system's reason in French.
//
// Hidden: no console window (CREATE_NO_WINDOW) and a hidden first window (SW_HIDE). Shown: a
// normal window (SW_SHOWNORMAL).
class WindowsProcessLauncher : public ProcessLauncher {
  public:
    void StartHidden(const std::string& commandLine) override;
    void StartShown(const std::string& commandLine) override;

  private:
    void Start(const std::string& commandLine, uint32_t creationFlags, uint16_t show);
};

}  // namespace velnix::windows_platform
