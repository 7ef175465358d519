#include "platform/windows/dialogs/DialogMessages.h"

#include <algorithm>
#include <cwchar>
#include <vector>

namespace velnix::windows_platform {

namespace {

std::vector<HWND>& OpenDialogs() {
    static std::vector<HWND> dialogs;
    return dialogs;
}

bool quitAfterLast = false;

}  // namespace

void AddModelessDialog(HWND dialog) { OpenDialogs().push_back(dialog); }

void RemoveModelessDialog(HWND dialog) {
    std::erase(OpenDialogs(), dialog);
    if (quitAfterLast && OpenDialogs().empty()) PostQuitMessage(0);
}

bool ModelessDialogsOpen() { return !OpenDialogs().empty(); }

void QuitAfterLastModelessDialog() { quitAfterLast = true; }

bool RouteToModelessDialog(MSG& message) {
    if (message.hwnd == nullptr) return false;
    const HWND root = GetAncestor(message.hwnd, GA_ROOT);
    const auto& dialogs = OpenDialogs();
    if (std::find(dialogs.begin(), dialogs.end(), root) == dialogs.end()) return false;
    return IsDialogMessageW(root, &message) != FALSE;
}

HFONT DialogFont(UINT dpi, int hundredthPoints, bool bold) {
    LOGFONTW font{};
    font.lfHeight = -MulDiv(hundredthPoints, static_cast<int>(dpi), 7200);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    wcscpy(font.lfFaceName, L"Comic Sans MS");
    return CreateFontIndirectW(&font);
}

void SizeClientArea(HWND window, SIZE clientPixels, UINT dpi) {
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const auto extended = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    RECT frame{0, 0, clientPixels.cx, clientPixels.cy};
    AdjustWindowRectExForDpi(&frame, style, FALSE, extended, dpi);
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MoveToSuggestedPlace(HWND window, LPARAM lParam) {
    const auto* suggested = reinterpret_cast<const RECT*>(lParam);
    SetWindowPos(window, nullptr, suggested->left, suggested->top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace velnix::windows_platform
