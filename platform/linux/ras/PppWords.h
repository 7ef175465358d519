#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velnix::linux_platform {

// The words of pppd's option and secrets files: blanks separate words, `#` outside a word starts
// a comment, single or double quotes group, and a backslash escapes (\n, \r, \t, \s, octal
// \ooo, hex \xHH, any other character stands for itself; a backslash before a line end joins the
// lines).

// `value` as one double-quoted word that reads back unchanged.
std::string QuotePppWord(std::string_view value);

// The words of a text.
std::vector<std::string> SplitPppWords(std::string_view text);

}  // namespace velnix::linux_platform
