#pragma once

#include "ui/MessageBox.h"

namespace velnix::qt_platform {

// A modal message box with an OK button, without an owner.
class QtMessageBox : public MessageBox {
  public:
    void Show(std::string_view text, std::string_view title, Icon icon) override;
};

}  // namespace velnix::qt_platform
