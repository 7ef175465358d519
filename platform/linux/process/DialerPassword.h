#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velnix::linux_platform {

// The dialer's password argument that makes it read the password from its standard input.
inline constexpr std::string_view kPasswordFromInput = "*";

// The command line that dials (`rasdial.exe "<entry>" "<login>" "<password>"`, the same on every
// platform) carries the password, and on Linux every local user may read any process's command
// line. When `arguments` (the program first, as split from a command line) are such a dial,
// replaces the password by kPasswordFromInput and returns the text to hand to the dialer's
// standard input: the password and a line feed. Otherwise returns nothing and leaves them.
std::optional<std::string> TakeDialerPassword(std::vector<std::string>& arguments);

}  // namespace velnix::linux_platform
