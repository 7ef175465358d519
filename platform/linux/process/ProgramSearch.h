#pragma once

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace velnix::linux_platform {

// The folder that holds the running program (from /proc/self/exe), or nothing if unknown.
std::optional<std::filesystem::path> RunningProgramFolder();

// The folders of PATH in order; an empty element is the current folder, as for the shell.
std::vector<std::filesystem::path> SearchPathFolders();

// Whether `path` is a regular file (or a link to one) that this process may execute.
bool IsExecutableFile(const std::filesystem::path& path);

// The name a Linux user knows a program by: without the ".exe" (any case) that command lines
// shared with Windows give it.
std::string_view BareProgramName(std::string_view name);

// Finds a program as Windows does: a name holding a slash is taken as a path, any other is
// looked for in each folder in turn. In each place the name counts as given and, when it ends
// in ".exe" (any case), also without that extension. Only executable regular files count.
std::optional<std::filesystem::path> FindProgram(std::string_view name,
                                                 const std::vector<std::filesystem::path>& folders);

}  // namespace velnix::linux_platform
