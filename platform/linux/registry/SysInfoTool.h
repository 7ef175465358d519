#pragma once

#include <optional>
#include <string>

namespace velnix::linux_platform {

// The desktop system-information tools looked for, best first (Debian packages hardinfo,
// kinfocenter and cpu-x).
inline constexpr const char* kSysInfoTools[] = {"hardinfo", "kinfocenter", "cpu-x"};

// The full path of the first of those tools installed: a file of that name this user may run, in a
// folder of the program search path (PATH, or /usr/bin when it is unset), or in /usr/bin,
// looked for under the system root. Nothing when none is installed.
std::optional<std::string> FindSysInfoTool();

}  // namespace velnix::linux_platform
