#pragma once

#include <string>
#include <vector>

#include "ui/MsgBox.h"

namespace velnix::testing {

// Records the message boxes shown.
class FakeMsgBox : public MsgBox {
  public:
    struct Shown {
        std::string text;
        std::string title;
        Icon icon;
    };

    void Show(std::string_view text, std::string_view title, Icon icon) override {
        shown.push_back({std::string(text), std::string(title), icon});
    }

    std::vector<Shown> shown;
};

}  // namespace velnix::testing
