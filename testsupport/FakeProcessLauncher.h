#pragma once

#include <string>
#include <vector>

#include "engine/ProcessLauncher.h"

namespace velnix::testing {

// Records the command lines it is asked to start; can be made to fail like a missing dialer.
class FakeProcessLauncher : public ProcessLauncher {
  public:
    void StartHidden(const std::string& commandLine) override;
    void StartShown(const std::string& commandLine) override;

    std::vector<std::string> started;  // started hidden
    std::vector<std::string> shown;    // started with a window
    bool fail = false;
};

}  // namespace velnix::testing
