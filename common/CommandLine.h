#pragma once

#include <string>
#include <string_view>

namespace velnix {

// One argument enclosed in double quotes by the Windows command-line rules: a quote inside is
// escaped and the backslashes before it doubled, trailing backslashes are doubled. A value
// without quotes and without trailing backslashes is only enclosed.
std::string QuoteArgument(std::string_view value);

}  // namespace velnix
