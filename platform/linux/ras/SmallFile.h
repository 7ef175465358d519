#pragma once

#include <optional>
#include <string>

namespace velnix::linux_platform {

// The whole content of a small system file (a pid file, a sysfs attribute, a process's
// command line), or nothing when it cannot be opened or read. Reads at most 64 KiB.
//
// Only a regular file (or a link to one) is read: a FIFO, a device or a folder in its place is
// never opened for reading, and the file is opened without blocking, so that nothing planted at
// the path can hold the caller; any of them gives nothing, as a missing file does.
std::optional<std::string> ReadSmallFile(const std::string& path);

}  // namespace velnix::linux_platform
