#pragma once

#include <QLockFile>
#include <QString>

#include "ui/main/Application.h"

namespace velnix::qt_platform {

// The running program: one copy per user, told by a lock file in the user's runtime folder
// (XDG_RUNTIME_DIR). The lock names the process that holds it, so the lock of a copy that
// crashed is recovered at once.
class QtProgram : public Application {
  public:
    QtProgram();  // <runtime folder>/velnix.lock
    explicit QtProgram(const QString& lockPath);

    // Takes the lock on the first call; true when another copy holds it.
    bool AnotherCopyRunning() override;

    // Leaves every running event loop; before the main loop runs, it ends as soon as it starts.
    void Quit() override;

  private:
    QLockFile lock_;
};

}  // namespace velnix::qt_platform
