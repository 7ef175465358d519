#pragma once

#include <string>
#include <string_view>

namespace velnix {

// The boolean word written to the store: "True" or "False".
std::string BooleanWord(bool value);

// Turns stored text back into a boolean: the words True and False in any letter case, and
// numeric text (zero is false, any other number is true). Anything else throws
// TypeMismatchError.
bool ParseBoolean(std::string_view text);

}  // namespace velnix
