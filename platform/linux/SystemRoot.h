#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace velnix::linux_platform {

// The root folder under which every system path is read: the environment variable VELNIX_ROOT,
// or / when it is unset or empty. The reference holds until the variable changes.
const std::filesystem::path& SystemRoot();

// `absolutePath` (such as "/etc/ppp/peers") under the root.
std::filesystem::path UnderRoot(std::string_view absolutePath);

// The same path as plain text, made without the cost of splitting it into a path's parts: for
// the paths read every second.
std::string UnderRootText(std::string_view absolutePath);

}  // namespace velnix::linux_platform
