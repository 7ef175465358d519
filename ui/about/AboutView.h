#pragma once

#include <string>

namespace velnix {

// The controls of the About dialog that its logic sets.
class AboutView {
  public:
    virtual ~AboutView() = default;

    virtual void SetCaption(const std::string& text) = 0;
    virtual void SetLblTitle(const std::string& text) = 0;
    virtual void SetLblVersion(const std::string& text) = 0;

    // Closes (unloads) the dialog.
    virtual void Close() = 0;
};

}  // namespace velnix
