#include "testsupport/FakeCommandMenu.h"

namespace velnix::testing {

std::string MenuEntryName(MenuEntry entry) {
    switch (entry) {
        case MenuEntry::CmdConnect:
            return "CmdConnect";
        case MenuEntry::CmdConfig:
            return "CmdConfig";
        case MenuEntry::CmdIconize:
            return "CmdIconize";
        case MenuEntry::CmdAutoMask:
            return "CmdAutoMask";
        case MenuEntry::Mnu_Apropos:
            return "Mnu_Apropos";
        case MenuEntry::CmdQuit:
            return "CmdQuit";
    }
    return "?";
}

void FakeCommandMenu::SetCaption(MenuEntry entry, std::string_view caption) {
    captions[entry] = caption;
    journal_->push_back("menu " + MenuEntryName(entry) + " " + std::string(caption));
}

bool FakeCommandMenu::Checked(MenuEntry entry) const {
    const auto found = checks.find(entry);
    return found != checks.end() && found->second;
}

void FakeCommandMenu::SetChecked(MenuEntry entry, bool checked) {
    checks[entry] = checked;
    journal_->push_back("check " + MenuEntryName(entry) + (checked ? " 1" : " 0"));
}

void FakeCommandMenu::Popup() {
    ++popups;
    journal_->push_back("popup");
    if (onPopup) onPopup();
}

}  // namespace velnix::testing
