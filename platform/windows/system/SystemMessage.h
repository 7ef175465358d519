#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace velnix::windows_platform {

// The text of a Win32 error code for the user, in French: the system's own when it has a French
// one, else the program's. `subject` stands for the "%1" some texts hold (a program's name).
std::string FrenchSystemMessage(uint32_t code, std::string_view subject = {});

}  // namespace velnix::windows_platform
