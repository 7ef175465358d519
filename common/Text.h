#pragma once

#include <string_view>

namespace velnix {

// Compares two UTF-8 texts without regard to letter case: ASCII letters and the accented
// letters of Latin-1 (À to Þ against à to þ) are folded; every other byte compares as is.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// The text without the blanks (spaces and tabs) at either end.
std::string_view TrimBlanks(std::string_view text);

}  // namespace velnix
