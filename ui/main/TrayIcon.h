#pragma once

#include <cstdint>
#include <string_view>

#include "ui/main/Picture.h"

namespace velnix {

// The notification-area icon. Its two mouse events reach the window as
// TenalineFrm::TrayToggleEvent and TenalineFrm::TrayMenuEvent with a button code
// (1 = left button, 2 = right button).
class TrayIcon {
  public:
    static constexpr int16_t kLeftButton = 1;
    static constexpr int16_t kRightButton = 2;

    virtual ~TrayIcon() = default;

    virtual void TipText(std::string_view tip) = 0;
    virtual void IconPicture(PictureRef picture) = 0;

    // False until the first EnterTray, true from EnterTray until the next LeaveTray.
    virtual bool InTray() const = 0;
    // The window is about to hide into the notification area.
    virtual void EnterTray() = 0;
    // The window is about to come back.
    virtual void LeaveTray() = 0;
};

}  // namespace velnix
