#pragma once

#include "config/modRegistry.h"
#include "ui/MsgBox.h"
#include "ui/about/frmAbout.h"
#include "ui/main/DialogOpener.h"

namespace velnix::windows_platform {

// Opens the configuration and About dialogs with what the program gives them: `registry` and
// `messages` for the configuration dialogs, `about` for the About dialog.
class WindowsDialogOpener : public DialogOpener {
  public:
    WindowsDialogOpener(modRegistry& registry, MsgBox& messages, AboutServices about)
        : registry_(registry), messages_(messages), about_(std::move(about)) {}

    // A new modeless dialog each time, at that place of the screen.
    void OpenConfiguration(std::shared_ptr<InternetTenaline> lIAC, int leftTwips,
                           int topTwips) override;
    void ShowAbout() override;

  private:
    modRegistry& registry_;
    MsgBox& messages_;
    AboutServices about_;
};

}  // namespace velnix::windows_platform
