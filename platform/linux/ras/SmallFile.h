#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace velnix::linux_platform {

// The whole content of a small system file (a pid file, a sysfs attribute, a process's
// command line), or nothing when it cannot be opened or read. Reads at most 64 KiB.
std::optional<std::string> ReadSmallFile(const std::filesystem::path& path);

}  // namespace velnix::linux_platform
