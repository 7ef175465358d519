#include "platform/windows/main/ToolTips.h"

#include <commctrl.h>

namespace velnix::windows_platform {
namespace {

TTTOOLINFOW ToolOf(HWND owner, HWND control, const std::wstring& text) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    return tool;
}

}  // namespace

ToolTips::ToolTips(HWND owner)
    : owner_(owner),
      tips_(CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                            GetModuleHandleW(nullptr), nullptr)) {}

void ToolTips::Add(HWND control, const std::wstring& text) {
    TTTOOLINFOW tool = ToolOf(owner_, control, text);
    SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void ToolTips::SetText(HWND control, const std::wstring& text) {
    TTTOOLINFOW tool = ToolOf(owner_, control, text);
    SendMessageW(tips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void ToolTips::SetFont(HFONT font) {
    SendMessageW(tips_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

}  // namespace velnix::windows_platform
