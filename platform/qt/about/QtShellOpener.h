#pragma once

#include "ui/about/ShellOpener.h"

namespace velnix::qt_platform {

// Opens addresses with the desktop's handler (QDesktopServices). Parameters and folder have no
// meaning for an address and are not used; a failure is silent.
class QtShellOpener : public ShellOpener {
  public:
    void Open(std::string_view file, std::string_view parameters,
              std::string_view directory) override;
};

}  // namespace velnix::qt_platform
