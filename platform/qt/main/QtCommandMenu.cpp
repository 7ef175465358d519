#include "platform/qt/main/QtCommandMenu.h"

#include <QCursor>

#include "platform/qt/Utf8.h"

namespace velnix::qt_platform {

QtCommandMenu::QtCommandMenu(const std::shared_ptr<TenalineFrm>& logic, const QFont& font)
    : logic_(logic) {
    menu_.setObjectName("CmdConnection");
    menu_.setTitle("Connexion");
    menu_.setFont(font);  // a top-level menu does not take the window's font
    AddEntry(MenuEntry::CmdConnect, "CmdConnect", "Se connecter", &TenalineFrm::CmdConnectClick);
    AddEntry(MenuEntry::CmdConfig, "CmdConfig", "Configurer", &TenalineFrm::CmdConfigClick);
    menu_.addSeparator()->setObjectName("sep3");
    AddEntry(MenuEntry::CmdIconize, "CmdIconize", "Masquer", &TenalineFrm::CmdIconizeClick);
    QAction* autoMask = AddEntry(MenuEntry::CmdAutoMask, "CmdAutoMask", "Masquage Automatique",
                                 &TenalineFrm::CmdAutoMaskClick);
    autoMask->setCheckable(true);
    menu_.addSeparator()->setObjectName("sep2");
    AddEntry(MenuEntry::Mnu_Apropos, "Mnu_Apropos", "A propos", &TenalineFrm::MnuAproposClick);
    menu_.addSeparator()->setObjectName("sep11");
    AddEntry(MenuEntry::CmdQuit, "CmdQuit", "Quitter", &TenalineFrm::CmdQuitClick);
}

QAction* QtCommandMenu::AddEntry(MenuEntry entry, const char* objectName, const QString& caption,
                                 void (TenalineFrm::*command)()) {
    QAction* action = menu_.addAction(caption);
    action->setObjectName(objectName);
    QObject::connect(action, &QAction::triggered, &menu_, [this, action, command] {
        // The window logic owns the check mark: undo the toolkit's own toggle first.
        if (action->isCheckable()) action->setChecked(!action->isChecked());
        (*logic_.*command)();
    });
    actions_[entry] = action;
    return action;
}

void QtCommandMenu::SetCaption(MenuEntry entry, std::string_view caption) {
    actions_.at(entry)->setText(FromUtf8(caption));
}

bool QtCommandMenu::Checked(MenuEntry entry) const { return actions_.at(entry)->isChecked(); }

void QtCommandMenu::SetChecked(MenuEntry entry, bool checked) {
    actions_.at(entry)->setChecked(checked);
}

void QtCommandMenu::Popup() { menu_.exec(QCursor::pos()); }

}  // namespace velnix::qt_platform
