#include "platform/qt/main/QtTrayIcon.h"

#include "platform/qt/Utf8.h"
#include "platform/qt/main/QtPicture.h"

namespace velnix::qt_platform {

QtTrayIcon::QtTrayIcon(const std::shared_ptr<TenalineFrm>& logic) : logic_(logic) {
    QObject::connect(&icon_, &QSystemTrayIcon::activated, &icon_,
                     [this](QSystemTrayIcon::ActivationReason reason) {
                         if (reason == QSystemTrayIcon::Trigger) {
                             logic_->TrayToggleEvent(TrayIcon::kLeftButton);
                         } else if (reason == QSystemTrayIcon::Context) {
                             logic_->TrayMenuEvent(TrayIcon::kRightButton);
                         }
                     });
}

void QtTrayIcon::TipText(std::string_view tip) { icon_.setToolTip(FromUtf8(tip)); }

void QtTrayIcon::IconPicture(PictureRef picture) { icon_.setIcon(IconOf(picture)); }

void QtTrayIcon::EnterTray() {
    inTray_ = true;
    SetPresent(true);
}

void QtTrayIcon::LeaveTray() { inTray_ = false; }

bool QtTrayIcon::Available() { return QSystemTrayIcon::isSystemTrayAvailable(); }

void QtTrayIcon::SetPresent(bool present) {
    wanted_ = present;
    if (present && !Available()) return;
    icon_.setVisible(present);
}

// A desktop's panel often starts after the programs started at login.
void QtTrayIcon::Refresh() {
    if (wanted_ && !icon_.isVisible() && Available()) icon_.setVisible(true);
}

}  // namespace velnix::qt_platform
