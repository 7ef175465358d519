#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velnix::windows_platform {

// The program speaks UTF-8, the system's W calls UTF-16: every adapter converts at that edge.
// The strict forms give nothing for text that is not valid in its encoding, rather than guess.
std::optional<std::wstring> WideFromUtf8(std::string_view text);
std::optional<std::string> Utf8FromWide(std::wstring_view text);

// For names the system hands over that the program shows as they are: a lone surrogate becomes
// U+FFFD.
std::string Utf8FromWideReplacing(std::wstring_view text);

// The text of a fixed field of `room` characters, up to its NUL.
std::wstring_view FieldText(const wchar_t* field, size_t room);

}  // namespace velnix::windows_platform
