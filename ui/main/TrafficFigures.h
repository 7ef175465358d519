#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace velnix {

// A byte count, or bytes per second, as a short French text: the number laid into the pattern
// "# ### ### ### ##0" followed by " octets" below 1024, else divided by 1024, 1024^2 or 1024^3
// and laid into "# ### ### ### ##0.00" followed by " Ko", " Mo" or " Go". The pattern's spaces
// are kept even left of the number, so a short number keeps leading spaces. Negative values
// stay in octets, the minus sign at the very start of the text.
std::string FormatSize(int32_t value, std::string_view decimalSeparator = ",");

// A duration in milliseconds as "hh:mm:ss", each field at least two digits; the seconds are
// rounded down (towards minus infinity), so -1 gives "-01:59:59".
std::string FormatDuration(int32_t milliseconds);

}  // namespace velnix
