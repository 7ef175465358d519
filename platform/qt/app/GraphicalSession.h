#pragma once

#include <QApplication>
#include <memory>

namespace velnix::qt_platform {

// Opens the application on the user's graphical session. Without one (no DISPLAY, no
// WAYLAND_DISPLAY, or a display that cannot be reached) the program ends with one French line on
// the error output, saying how to try it under xvfb-run, instead of the toolkit's abort.
std::unique_ptr<QApplication> OpenGraphicalSession(int& argc, char** argv);

}  // namespace velnix::qt_platform
