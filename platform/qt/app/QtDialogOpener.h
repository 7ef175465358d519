#pragma once

#include <memory>

#include "config/modRegistry.h"
#include "ui/MsgBox.h"
#include "ui/about/frmAbout.h"
#include "ui/main/DialogOpener.h"

namespace velnix::qt_platform {

// Opens the program's Qt configuration and About dialogs for the main window, with the services
// the program gives them: `registry` and `messages` for the configuration dialogs, `about` for
// the About dialog.
class QtDialogOpener : public DialogOpener {
  public:
    QtDialogOpener(modRegistry& registry, MsgBox& messages, AboutServices about)
        : registry_(registry), messages_(messages), about_(std::move(about)) {}

    void OpenConfiguration(std::shared_ptr<InternetTenaline> lIAC, int leftTwips,
                           int topTwips) override;
    void ShowAbout() override;

  private:
    modRegistry& registry_;
    MsgBox& messages_;
    AboutServices about_;
};

}  // namespace velnix::qt_platform
