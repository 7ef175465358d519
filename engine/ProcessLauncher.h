#pragma once

#include <string>

namespace velnix {

// Starts command lines as separate processes. A command line is split into the program and its
// arguments by the Windows rules (double quotes group, backslashes escape a quote), and the
// program is found through the search path; a program named with ".exe" is also found under its
// name without the extension.
class ProcessLauncher {
  public:
    virtual ~ProcessLauncher() = default;

    // Starts the command hidden (no window, no terminal) and does not wait for it. Throws
    // ProcessStartError when it cannot be started (program not found, not executable).
    virtual void StartHidden(const std::string& commandLine) = 0;

    // Starts the command with a normal, focused window and does not wait for it. Throws
    // ProcessStartError like StartHidden.
    virtual void StartShown(const std::string& commandLine) = 0;
};

}  // namespace velnix
