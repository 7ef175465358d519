#pragma once

#include <string_view>

namespace velnix {

// The application title: the title of any message box given no title of its own.
inline constexpr std::string_view kApplicationTitle = "Velnix-Connect";

// Shows a message box with only an OK button; returns when the user has closed it.
class MsgBox {
  public:
    enum class Icon { None, Information, Critical };

    virtual ~MsgBox() = default;
    virtual void Show(std::string_view text, std::string_view title = kApplicationTitle,
                      Icon icon = Icon::None) = 0;
};

}  // namespace velnix
