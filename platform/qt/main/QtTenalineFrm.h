#pragma once

#include <memory>

#include "config/SettingsStore.h"
#include "ui/MsgBox.h"
#include "ui/main/Application.h"
#include "ui/main/DialogOpener.h"
#include "ui/main/TenalineFrm.h"

namespace velnix::qt_platform {

// What the Qt main window takes from the program.
struct QtTenalineFrmServices {
    Application& application;
    MsgBox& messageBox;
    DialogOpener& dialogs;
    SettingsStore& settings;
};

// Creates the main window: its widgets, menu, icon, image list and timer, and the window logic
// that drives them, which the window owns. While the window exists the program's event loop does
// not end by itself, even with the window hidden into the notification area. Closed, the window
// deletes itself with its logic, and the program ends when no window of it is left shown.
std::shared_ptr<TenalineFrm> CreateQtTenalineFrm(const QtTenalineFrmServices& services);

}  // namespace velnix::qt_platform
