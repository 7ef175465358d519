#include "platform/windows/main/WindowsMsgBox.h"

#include <windows.h>

#include "platform/windows/system/WideText.h"

namespace velnix::windows_platform {

void WindowsMsgBox::Show(std::string_view text, std::string_view title, Icon icon) {
    const std::wstring wideText = WideFromUtf8(text).value_or(L"?");
    const std::wstring wideTitle = WideFromUtf8(title).value_or(L"Velnix-Connect");
    UINT style = MB_OK;
    if (icon == Icon::Information) style |= MB_ICONINFORMATION;
    if (icon == Icon::Critical) style |= MB_ICONERROR;
    MessageBoxW(GetActiveWindow(), wideText.c_str(), wideTitle.c_str(), style);
}

}  // namespace velnix::windows_platform
