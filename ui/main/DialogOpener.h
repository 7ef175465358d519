#pragma once

#include <memory>

namespace velnix {

class InternetTenaline;

// Opens the program's other windows for the main window.
class DialogOpener {
  public:
    virtual ~DialogOpener() = default;

    // A new, modeless configuration dialog bound to `lIAC`, its top-left corner at the given
    // position in twips; returns at once.
    virtual void OpenConfiguration(std::shared_ptr<InternetTenaline> lIAC, int leftTwips,
                                   int topTwips) = 0;

    // The one About dialog, modal; returns when it is closed.
    virtual void ShowAbout() = 0;
};

}  // namespace velnix
