#pragma once

#include "ui/MsgBox.h"

namespace velnix::windows_platform {

// Message boxes over MessageBoxW, modal to the program's active window.
class WindowsMsgBox : public MsgBox {
  public:
    void Show(std::string_view text, std::string_view title, Icon icon) override;
};

}  // namespace velnix::windows_platform
