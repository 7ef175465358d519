#pragma once

#include <memory>

namespace velnix {

class InternetTenaline;

// What the connection object needs of its main window.
class TenalineWindow {
  public:
    virtual ~TenalineWindow() = default;

    // Shows the window without an owner and not modal. The window's own load handling runs
    // here, before the window has the object.
    virtual void Show() = 0;

    // Hands the object over: the window keeps it as its event-receiving reference, which owns
    // the object from then on, subscribes to its events and applies the connected or
    // not-connected display at once.
    virtual void BindTo(std::shared_ptr<InternetTenaline> lIAC) = 0;
};

}  // namespace velnix
