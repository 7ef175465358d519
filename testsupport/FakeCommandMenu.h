#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/main/CommandMenu.h"

namespace velnix::testing {

std::string MenuEntryName(MenuEntry entry);

// The "Connexion" menu in memory, journalled ("menu CmdConnect Se connecter",
// "check CmdAutoMask 1", "popup"). `onPopup` stands for the user's pick while the menu is up.
class FakeCommandMenu : public CommandMenu {
  public:
    explicit FakeCommandMenu(std::vector<std::string>* journal) : journal_(journal) {}

    void SetCaption(MenuEntry entry, std::string_view caption) override;
    bool Checked(MenuEntry entry) const override;
    void SetChecked(MenuEntry entry, bool checked) override;
    void Popup() override;

    std::map<MenuEntry, std::string> captions;
    std::map<MenuEntry, bool> checks;
    int popups = 0;
    std::function<void()> onPopup;

  private:
    std::vector<std::string>* journal_;
};

}  // namespace velnix::testing
