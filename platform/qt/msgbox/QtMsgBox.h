#pragma once

#include "ui/MsgBox.h"

namespace velnix::qt_platform {

// Message boxes as QMessageBox, modal, with only an OK button. Lines separated by a carriage
// return alone are shown as separate lines.
class QtMsgBox : public MsgBox {
  public:
    void Show(std::string_view text, std::string_view title = kApplicationTitle,
              Icon icon = Icon::None) override;
};

}  // namespace velnix::qt_platform
