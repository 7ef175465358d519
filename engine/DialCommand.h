#pragma once

#include <string>
#include <string_view>

namespace velnix {

// The command-line dialer, found through the program search path.
inline constexpr std::string_view kDialerProgram = "rasdial.exe";

// rasdial.exe "<entry>" "<login>" "<password>"
std::string DialCommandLine(std::string_view entry, std::string_view login,
                            std::string_view password);

// rasdial.exe "<entry>" /disconnect
std::string HangUpCommandLine(std::string_view entry);

}  // namespace velnix
