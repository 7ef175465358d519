#pragma once

#include <functional>
#include <memory>

#include "config/SettingsStore.h"
#include "engine/ProcessLauncher.h"
#include "engine/RasApi.h"
#include "engine/TenalineWindow.h"

namespace velnix {

// The platform operations a connection object works with, and how it makes its main window.
// Every object of the class, however it is created, is given these.
struct TenalineServices {
    SettingsStore* settings = nullptr;
    ras::RasApi* ras = nullptr;
    ProcessLauncher* launcher = nullptr;
    // Makes a main window that the toolkit keeps while it is open; the object only observes it.
    std::function<std::shared_ptr<TenalineWindow>()> createWindow;
};

}  // namespace velnix
