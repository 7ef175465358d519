#pragma once

namespace velnix {

// The running program as the main window sees it.
class Application {
  public:
    virtual ~Application() = default;

    // Whether another copy of the program is already running.
    virtual bool AnotherCopyRunning() = 0;

    // Ends the program at once: no window gets its unload handling, nothing is hung up.
    virtual void Quit() = 0;
};

}  // namespace velnix
