#pragma once

#include <windows.h>

namespace velnix::windows_platform {

// Registers a window class of the program: black, with the arrow cursor, and the given icon if
// any. A class already registered is left as it is, so a window may call this whenever it opens.
void RegisterBlackWindowClass(const wchar_t* className, WNDPROC procedure, HICON icon = nullptr);

}  // namespace velnix::windows_platform
