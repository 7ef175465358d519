#pragma once

#include <string>
#include <vector>

namespace velnix::linux_platform {

// Arguments written back as one command line by the Windows rules, the way SplitCommandLine
// reads them; an argument is enclosed in quotes only when it is empty or holds a blank or a
// quote.
std::string StartCommandLine(const std::vector<std::string>& arguments);

}  // namespace velnix::linux_platform
