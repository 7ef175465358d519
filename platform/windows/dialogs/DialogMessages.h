#pragma once

#include <windows.h>

namespace velnix::windows_platform {

// The modeless dialogs open at the moment: the message loop lets each of them handle Tab, Enter
// and Escape for its own controls.
void AddModelessDialog(HWND dialog);
void RemoveModelessDialog(HWND dialog);

// Whether any modeless dialog is open.
bool ModelessDialogsOpen();
// Ends the message loop once the last modeless dialog has closed.
void QuitAfterLastModelessDialog();

// True when `message` went to an open modeless dialog, which has then handled it.
bool RouteToModelessDialog(MSG& message);

// The font the dialogs were designed with at `dpi`: `hundredthPoints` hundredths of a point.
HFONT DialogFont(UINT dpi, int hundredthPoints, bool bold = false);

// Makes the window of `clientPixels` client size at `dpi`, keeping its top-left corner.
void SizeClientArea(HWND window, SIZE clientPixels, UINT dpi);

// The top-left corner of the place the system suggests with WM_DPICHANGED (`lParam`): the
// dialog then lays itself out again at the new DPI, which sets its size.
void MoveToSuggestedPlace(HWND window, LPARAM lParam);

}  // namespace velnix::windows_platform
