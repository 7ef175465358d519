#pragma once

#include <windows.h>

#include <string>

#include "ui/main/TrayIcon.h"

namespace velnix::windows_platform {

// The notification-area icon of the main window: in the notification area from the window's
// first showing until the window is destroyed, showing the latest tip and picture. Its mouse
// events come to the owner as `kMessage`, in the form of notification icons version 4.
class WindowsTrayIcon : public TrayIcon {
  public:
    static constexpr UINT kMessage = WM_APP + 1;

    void SetOwner(HWND owner) { owner_ = owner; }

    void TipText(std::string_view tip) override;
    void IconPicture(PictureRef picture) override;
    bool InTray() const override { return inTray_; }
    void EnterTray() override { inTray_ = true; }
    void LeaveTray() override { inTray_ = false; }

    // Puts the icon into the notification area (again, after the shell restarted) or takes it
    // out.
    void Add();
    void Remove();

  private:
    NOTIFYICONDATAW Data(UINT flags) const;
    void Update();

    HWND owner_ = nullptr;
    std::wstring tip_;
    PictureRef picture_;
    bool present_ = false;
    bool inTray_ = false;
};

}  // namespace velnix::windows_platform
