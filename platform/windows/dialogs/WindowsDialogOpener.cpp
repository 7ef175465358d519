#include "platform/windows/dialogs/WindowsDialogOpener.h"

#include <windows.h>

#include "platform/windows/dialogs/WindowsAboutDialog.h"
#include "platform/windows/dialogs/WindowsConfigDialog.h"
#include "platform/windows/main/MainLayout.h"

namespace velnix::windows_platform {

void WindowsDialogOpener::OpenConfiguration(std::shared_ptr<InternetTenaline> lIAC, int leftTwips,
                                            int topTwips) {
    // Twips of the screen, at the DPI of the screen the main window is on.
    const UINT dpi =
        GetDpiForWindow(GetActiveWindow() != nullptr ? GetActiveWindow() : GetDesktopWindow());
    WindowsConfigDialog::Open(std::move(lIAC),
                              {TwipsToPixelsAt(leftTwips, dpi), TwipsToPixelsAt(topTwips, dpi)},
                              registry_, messages_);
}

void WindowsDialogOpener::ShowAbout() { WindowsAboutDialog::Show(about_); }

}  // namespace velnix::windows_platform
