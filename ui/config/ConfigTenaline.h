#pragma once

#include <memory>
#include <string>

#include "config/modRegistry.h"
#include "ui/MsgBox.h"
#include "ui/config/ConfigView.h"

namespace velnix {

class InternetTenaline;

// The configuration dialog's logic: fills its controls from the connection object, writes them
// back on saving, and enters or removes the program's start entry as the start box changes.
class ConfigTenaline {
  public:
    // Shown when the start entry could not be written or deleted.
    static constexpr std::string_view kStartEntryRefused =
        "Le lancement au démarrage n'a pas pu être modifié : vous n'avez pas les droits "
        "nécessaires.";

    ConfigTenaline(ConfigView& view, modRegistry& registry, MsgBox& messages);

    // Keeps the object and fills the controls from its options.
    void BindTo(std::shared_ptr<InternetTenaline> lIAC);

    // Each time the dialog becomes active: shows whether the start entry exists; a change of
    // the box runs its click handling.
    void Form_Activate();

    // The start box changed: writes or deletes the start entry at once.
    void chkStartOnWin_Click();

    // Writes the options through the object, lets go of it and closes the dialog; a write
    // that fails is reported and the dialog stays open.
    void CmdSave_Click();

    // Closes the dialog without saving.
    void Command1_Click();

    // True while the dialog holds the connection object.
    bool IsBound() const { return mIAC != nullptr; }

  private:
    std::string StartKeyPath();
    bool StartEntryExists();

    ConfigView& view_;
    modRegistry& registry_;
    MsgBox& messages_;
    std::shared_ptr<InternetTenaline> mIAC;
};

}  // namespace velnix
