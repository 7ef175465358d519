#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velnix::linux_platform {

// The arguments of a command line read by the Windows rules: blanks separate arguments outside
// double quotes, quotes group, and backslashes escape a quote (2n backslashes and a quote give n
// backslashes and open or close a group; 2n+1 give n backslashes and a quote).
std::vector<std::string> StartCommandArguments(std::string_view commandLine);

// The arguments written back as one command line by the same rules; an argument is enclosed in
// quotes only when it is empty or holds a blank or a quote.
std::string StartCommandLine(const std::vector<std::string>& arguments);

}  // namespace velnix::linux_platform
