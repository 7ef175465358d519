#pragma once

#include <QAction>
#include <QMenu>
#include <map>

#include <memory>

#include "ui/main/CommandMenu.h"
#include "ui/main/TenalineFrm.h"

namespace velnix::qt_platform {

// The "Connexion" menu, popped up at the pointer by the icon's right button and by the window's
// own right button. A picked entry runs its command in the window logic `logic`, which the
// window makes once its controls exist.
class QtCommandMenu : public CommandMenu {
  public:
    QtCommandMenu(const std::shared_ptr<TenalineFrm>& logic, const QFont& font);

    void SetCaption(MenuEntry entry, std::string_view caption) override;
    bool Checked(MenuEntry entry) const override;
    void SetChecked(MenuEntry entry, bool checked) override;
    void Popup() override;

    QAction* Action(MenuEntry entry) const { return actions_.at(entry); }
    QMenu& Menu() { return menu_; }

  private:
    QAction* AddEntry(MenuEntry entry, const char* objectName, const QString& caption,
                      void (TenalineFrm::*command)());

    const std::shared_ptr<TenalineFrm>& logic_;
    QMenu menu_;
    std::map<MenuEntry, QAction*> actions_;
};

}  // namespace velnix::qt_platform
