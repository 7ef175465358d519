#pragma once

#include <QSystemTrayIcon>

#include <memory>

#include "ui/main/TenalineFrm.h"
#include "ui/main/TrayIcon.h"

namespace velnix::qt_platform {

// The notification-area icon over QSystemTrayIcon. It stands in the notification area from the
// window's first showing until the window is closed; its left button (Trigger) is button code 1
// and its right button (Context) button code 2.
class QtTrayIcon : public TrayIcon {
  public:
    // Its buttons go to the window logic `logic`, which the window makes once its controls exist.
    explicit QtTrayIcon(const std::shared_ptr<TenalineFrm>& logic);

    void TipText(std::string_view tip) override;
    void IconPicture(PictureRef picture) override;
    bool InTray() const override { return inTray_; }
    void EnterTray() override;
    void LeaveTray() override;

    // Whether the desktop offers a notification area at all.
    static bool Available();
    // Puts the icon into the notification area, or takes it out. Wanted while no notification
    // area exists, it docks at the first Refresh() after one appears.
    void SetPresent(bool present);
    void Refresh();

    QSystemTrayIcon& Icon() { return icon_; }
    const QSystemTrayIcon& Icon() const { return icon_; }

  private:
    const std::shared_ptr<TenalineFrm>& logic_;
    QSystemTrayIcon icon_;
    bool inTray_ = false;
    bool wanted_ = false;
};

}  // namespace velnix::qt_platform
