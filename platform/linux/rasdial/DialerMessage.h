#pragma once

#include <string>

namespace velnix::linux_platform {

// Prints "rasdial : <message>" on standard error, also sent to the system log (journalctl -t
// rasdial), since the dialer started by Velnix has no terminal to show it on; returns `status`.
int Fail(int status, const std::string& message);

// An entry's name as the messages show it: « name ».
std::string Quoted(const std::string& entry);

}  // namespace velnix::linux_platform
