#pragma once

#include <functional>
#include <memory>

#include "ui/main/DialogOpener.h"

namespace velnix::qt_platform {

// The program's configuration and About dialogs, reached through hooks set where the dialogs
// are built. A hook that is not set does nothing.
class DialogHooks : public DialogOpener {
  public:
    void OpenConfiguration(std::shared_ptr<InternetTenaline> lIAC, int leftTwips,
                           int topTwips) override {
        if (openConfiguration) openConfiguration(std::move(lIAC), leftTwips, topTwips);
    }
    void ShowAbout() override {
        if (showAbout) showAbout();
    }

    std::function<void(std::shared_ptr<InternetTenaline>, int, int)> openConfiguration;
    std::function<void()> showAbout;
};

}  // namespace velnix::qt_platform
