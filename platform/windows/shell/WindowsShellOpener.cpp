#include "platform/windows/shell/WindowsShellOpener.h"

#include <windows.h>

#include <shellapi.h>

#include <optional>
#include <string>

#include "platform/windows/system/WideText.h"

namespace velnix::windows_platform {

namespace {

// An empty text stands for none.
const wchar_t* NoneIfEmpty(const std::wstring& text) {
    return text.empty() ? nullptr : text.c_str();
}

}  // namespace

void WindowsShellOpener::Open(std::string_view file, std::string_view parameters,
                              std::string_view directory) {
    const std::optional<std::wstring> wideFile = WideFromUtf8(file);
    const std::optional<std::wstring> wideParameters = WideFromUtf8(parameters);
    const std::optional<std::wstring> wideDirectory = WideFromUtf8(directory);
    if (!wideFile || !wideParameters || !wideDirectory) return;
    ShellExecuteW(nullptr, L"open", wideFile->c_str(), NoneIfEmpty(*wideParameters),
                  NoneIfEmpty(*wideDirectory), SW_SHOWNORMAL);
}

}  // namespace velnix::windows_platform
