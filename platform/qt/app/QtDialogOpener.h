#pragma once

#include <memory>

#include "ui/main/DialogOpener.h"

namespace velnix::qt_platform {

// Opens the program's Qt configuration and About dialogs for the main window.
class QtDialogOpener : public DialogOpener {
  public:
    void OpenConfiguration(std::shared_ptr<InternetTenaline> lIAC, int leftTwips,
                           int topTwips) override;
    void ShowAbout() override;
};

}  // namespace velnix::qt_platform
