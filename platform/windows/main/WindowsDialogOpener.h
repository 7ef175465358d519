#pragma once

#include "ui/MsgBox.h"
#include "ui/main/DialogOpener.h"

namespace velnix::windows_platform {

// The configuration and About dialogs have no Windows form yet: asked for one, the program says
// so in a message box and goes on.
class WindowsDialogOpener : public DialogOpener {
  public:
    explicit WindowsDialogOpener(MsgBox& messages) : messages_(messages) {}

    void OpenConfiguration(std::shared_ptr<InternetTenaline> lIAC, int leftTwips,
                           int topTwips) override;
    void ShowAbout() override;

  private:
    MsgBox& messages_;
};

}  // namespace velnix::windows_platform
