#pragma once

namespace velnix::windows_platform {

// Registers the window class of a dialog's frame: black, with the arrow cursor. A class already
// registered is left as it is, so each dialog may call this whenever it opens.
void RegisterDialogClass(const wchar_t* className);

}  // namespace velnix::windows_platform
