#include "platform/windows/main/WindowClass.h"

namespace velnix::windows_platform {

void RegisterBlackWindowClass(const wchar_t* className, WNDPROC procedure, HICON icon) {
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.lpfnWndProc = procedure;
    type.hInstance = GetModuleHandleW(nullptr);
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    type.hIcon = icon;
    type.lpszClassName = className;
    RegisterClassExW(&type);
}

}  // namespace velnix::windows_platform
