#pragma once

#include <cstddef>
#include <string_view>

namespace velnix::windows_platform {

// Copies UTF-8 text into a fixed field of `room` bytes and ends it with a NUL. Text that does not
// fit is cut before the last whole character that fits, never inside one.
void CopyToField(char* field, size_t room, std::string_view text);

}  // namespace velnix::windows_platform
