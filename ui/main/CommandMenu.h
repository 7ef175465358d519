#pragma once

#include <string_view>

namespace velnix {

// The entries of the "Connexion" menu whose state the window logic changes or reads.
enum class MenuEntry {
    CmdConnect,
    CmdConfig,
    CmdIconize,
    CmdAutoMask,
    Mnu_Apropos,
    CmdQuit,
};

// The window's menu "Connexion", shown only as a popup menu.
class CommandMenu {
  public:
    virtual ~CommandMenu() = default;

    virtual void SetCaption(MenuEntry entry, std::string_view caption) = 0;
    virtual bool Checked(MenuEntry entry) const = 0;
    virtual void SetChecked(MenuEntry entry, bool checked) = 0;

    // Pops the menu up at the pointer; returns when the user has picked an entry (whose action
    // has then run) or dismissed the menu.
    virtual void Popup() = 0;
};

}  // namespace velnix
