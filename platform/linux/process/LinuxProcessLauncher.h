#pragma once

#include <string>

#include "engine/ProcessLauncher.h"

namespace velnix::linux_platform {

// Starts command lines as Windows does: split by the Windows rules, the program looked for first
// in the folder of the running program, then along PATH ("x.exe" is also found as "x"). The
// process runs in a session of its own with its standard streams on /dev/null, is not waited
// for and leaves no zombie. A program that is missing or cannot be executed is reported as a
// ProcessStartError with a French message.
//
// The dialer's dial (`rasdial.exe ENTRY LOGIN PASSWORD`) starts as `rasdial ENTRY LOGIN *` with
// the password on its standard input, through a pipe: on Linux any local user may read a
// process's command line (TakeDialerPassword).
//
// Hidden and shown differ in the environment only: a hidden process gets the session's
// environment without DISPLAY and WAYLAND_DISPLAY, so it cannot open a window; a shown one keeps
// the whole environment and opens its windows on the user's display.
class LinuxProcessLauncher : public ProcessLauncher {
  public:
    void StartHidden(const std::string& commandLine) override;
    void StartShown(const std::string& commandLine) override;

  private:
    void Start(const std::string& commandLine, bool withDisplay);
};

}  // namespace velnix::linux_platform
