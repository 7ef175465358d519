#pragma once

#include <string_view>

// The registry keys and values the program uses, all under HKEY_LOCAL_MACHINE. The program's
// logic and every platform's registry name them from here.
namespace velnix {

// The start entry: where the program enters itself to be started with the system, under Run on
// the Windows NT family and under RunServices on the others.
namespace startentry {
inline constexpr std::string_view kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr std::string_view kRunServicesKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices";
inline constexpr std::string_view kValueName = "Velnix";
}  // namespace startentry

// The system information tool: its command line, or else the folder that holds MSINFO32.EXE.
namespace sysinfo {
inline constexpr std::string_view kKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr std::string_view kValue = "PATH";
inline constexpr std::string_view kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr std::string_view kLocationValue = "MSINFO";
}  // namespace sysinfo

}  // namespace velnix
