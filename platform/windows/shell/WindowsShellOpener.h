#pragma once

#include "ui/about/ShellOpener.h"

namespace velnix::windows_platform {

// ShellExecuteW with the verb "open" and a normal window; a failure is silent.
class WindowsShellOpener : public ShellOpener {
  public:
    void Open(std::string_view file, std::string_view parameters,
              std::string_view directory) override;
};

}  // namespace velnix::windows_platform
