#pragma once

#include <windows.h>

#include <memory>

#include "platform/windows/system/Handles.h"
#include "ui/main/CommandMenu.h"
#include "ui/main/TenalineFrm.h"

namespace velnix::windows_platform {

// The popup menu "Connexion" of the main window and of its notification-area icon.
class WindowsCommandMenu : public CommandMenu {
  public:
    // Its commands go to the window logic `logic`, made once the window's controls exist.
    explicit WindowsCommandMenu(const std::shared_ptr<TenalineFrm>& logic);

    // The window the menu belongs to (its messages, its foreground).
    void SetOwner(HWND owner) { owner_ = owner; }

    void SetCaption(MenuEntry entry, std::string_view caption) override;
    bool Checked(MenuEntry entry) const override;
    void SetChecked(MenuEntry entry, bool checked) override;
    // A second popup while one is open is refused.
    void Popup() override;

  private:
    const std::shared_ptr<TenalineFrm>& logic_;
    UniqueMenu menu_;
    HWND owner_ = nullptr;
    bool open_ = false;
};

}  // namespace velnix::windows_platform
