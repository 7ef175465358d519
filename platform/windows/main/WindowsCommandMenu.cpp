#include "platform/windows/main/WindowsCommandMenu.h"

#include <utility>

#include "common/Errors.h"
#include "platform/windows/system/WideText.h"

namespace velnix::windows_platform {
namespace {

struct Entry {
    MenuEntry entry;
    const wchar_t* caption;
    void (TenalineFrm::*command)();
};

// In menu order; a null caption is a separator.
const Entry kEntries[] = {
    {MenuEntry::CmdConnect, L"Se connecter", &TenalineFrm::CmdConnectClick},
    {MenuEntry::CmdConfig, L"Configurer", &TenalineFrm::CmdConfigClick},
    {MenuEntry::CmdConfig, nullptr, nullptr},
    {MenuEntry::CmdIconize, L"Masquer", &TenalineFrm::CmdIconizeClick},
    {MenuEntry::CmdAutoMask, L"Masquage Automatique", &TenalineFrm::CmdAutoMaskClick},
    {MenuEntry::CmdAutoMask, nullptr, nullptr},
    {MenuEntry::Mnu_Apropos, L"A propos", &TenalineFrm::MnuAproposClick},
    {MenuEntry::Mnu_Apropos, nullptr, nullptr},
    {MenuEntry::CmdQuit, L"Quitter", &TenalineFrm::CmdQuitClick},
};

// Command identifiers start at 1: TrackPopupMenuEx returns 0 for a dismissed menu.
UINT IdOf(MenuEntry entry) { return static_cast<UINT>(entry) + 1; }

}  // namespace

WindowsCommandMenu::WindowsCommandMenu(const std::shared_ptr<TenalineFrm>& logic)
    : logic_(logic), menu_(CreatePopupMenu()) {
    if (!menu_.Get()) throw VelnixError("impossible de créer le menu");
    for (const Entry& entry : kEntries) {
        if (entry.caption) {
            AppendMenuW(menu_.Get(), MF_STRING, IdOf(entry.entry), entry.caption);
        } else {
            AppendMenuW(menu_.Get(), MF_SEPARATOR, 0, nullptr);
        }
    }
}

void WindowsCommandMenu::SetCaption(MenuEntry entry, std::string_view caption) {
    std::wstring text = WideFromUtf8(caption).value_or(L"");
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STRING;
    item.dwTypeData = text.data();
    SetMenuItemInfoW(menu_.Get(), IdOf(entry), FALSE, &item);
}

bool WindowsCommandMenu::Checked(MenuEntry entry) const {
    return (GetMenuState(menu_.Get(), IdOf(entry), MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void WindowsCommandMenu::SetChecked(MenuEntry entry, bool checked) {
    CheckMenuItem(menu_.Get(), IdOf(entry), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

// The owner comes to the foreground first and gets a null message after, or the menu would not
// close on a click elsewhere; the command runs once the menu is closed.
void WindowsCommandMenu::Popup() {
    if (open_) return;
    open_ = true;
    POINT at{};
    GetCursorPos(&at);
    SetForegroundWindow(owner_);
    const UINT chosen = static_cast<UINT>(TrackPopupMenuEx(
        menu_.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, owner_, nullptr));
    PostMessageW(owner_, WM_NULL, 0, 0);
    open_ = false;
    for (const Entry& entry : kEntries) {
        if (entry.caption && IdOf(entry.entry) == chosen) {
            (*logic_.*entry.command)();
            return;
        }
    }
}

}  // namespace velnix::windows_platform
