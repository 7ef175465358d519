#pragma once

#include <string>

namespace velnix::linux_platform {

// A short French text for a system error number (errno), for messages shown to the user.
std::string SystemErrorText(int error);

}  // namespace velnix::linux_platform
