#pragma once

#include <string>

namespace velnix::windows_platform {

// The full path of the running program's file (velnix.exe); empty if the system cannot tell.
std::wstring ProgramFile();

}  // namespace velnix::windows_platform
