#include "platform/windows/system/WideText.h"

#include <windows.h>

namespace velnix::windows_platform {

namespace {

std::optional<std::string> ToUtf8(std::wstring_view text, DWORD flags) {
    if (text.empty()) return std::string();
    const int length = static_cast<int>(text.size());
    const int bytes =
        WideCharToMultiByte(CP_UTF8, flags, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return std::nullopt;
    std::string result(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, flags, text.data(), length, result.data(), bytes, nullptr,
                        nullptr);
    return result;
}

}  // namespace

std::optional<std::wstring> WideFromUtf8(std::string_view text) {
    if (text.empty()) return std::wstring();
    const int length = static_cast<int>(text.size());
    const int units =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
    if (units <= 0) return std::nullopt;
    std::wstring result(static_cast<size_t>(units), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), length, result.data(), units);
    return result;
}

std::optional<std::string> Utf8FromWide(std::wstring_view text) {
    return ToUtf8(text, WC_ERR_INVALID_CHARS);
}

std::string Utf8FromWideReplacing(std::wstring_view text) { return ToUtf8(text, 0).value_or(""); }

std::wstring_view FieldText(const wchar_t* field, size_t room) {
    return std::wstring_view(field, wcsnlen(field, room));
}

}  // namespace velnix::windows_platform
