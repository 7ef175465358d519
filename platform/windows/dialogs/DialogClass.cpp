#include "platform/windows/dialogs/DialogClass.h"

#include <windows.h>

namespace velnix::windows_platform {

void RegisterDialogClass(const wchar_t* className) {
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.lpfnWndProc = DefWindowProcW;
    type.hInstance = GetModuleHandleW(nullptr);
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    type.lpszClassName = className;
    RegisterClassExW(&type);
}

}  // namespace velnix::windows_platform
