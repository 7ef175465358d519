#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velnix::linux_platform {

// Splits a command line into the program and its arguments by the Windows rules:
// - the program name runs to the next blank (no escapes in it), or, when it starts with a double
//   quote, to the next double quote that no backslash escapes, read as in an argument below (a
//   Linux path may hold a quote, which the start command writes escaped);
// - arguments are separated by blanks (spaces and tabs); double quotes group and are removed;
// - 2n backslashes before a double quote give n backslashes and the quote groups; 2n+1 give n
//   backslashes and a literal quote; backslashes before anything else stand as they are;
// - inside a quoted part, two double quotes in a row give one literal quote.
// A line of blanks only gives no words.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

}  // namespace velnix::linux_platform
