#pragma once

#include <string>
#include <vector>

#include "ui/main/TrayIcon.h"

namespace velnix::testing {

// The notification-area icon in memory, journalled ("tip Velnix  : Connecté.",
// "icon Connected", "EnterTray", "LeaveTray").
class FakeTrayIcon : public TrayIcon {
  public:
    explicit FakeTrayIcon(std::vector<std::string>* journal) : journal_(journal) {}

    void TipText(std::string_view newTip) override;
    void IconPicture(PictureRef picture) override;
    bool InTray() const override { return inTray; }
    void EnterTray() override;
    void LeaveTray() override;

    std::string tip;
    std::string icon = "none";
    bool inTray = false;
    int enters = 0;
    int leaves = 0;

  private:
    std::vector<std::string>* journal_;
};

}  // namespace velnix::testing
