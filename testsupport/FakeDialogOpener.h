#pragma once

#include <memory>
#include <vector>

#include "ui/main/DialogOpener.h"

namespace velnix::testing {

// Records the dialogs asked for; an opened configuration dialog keeps its object like the real
// one until `CloseConfigurations`.
class FakeDialogOpener : public DialogOpener {
  public:
    struct Configuration {
        std::shared_ptr<InternetTenaline> object;
        int left;
        int top;
    };

    void OpenConfiguration(std::shared_ptr<InternetTenaline> lIAC, int leftTwips,
                           int topTwips) override {
        configurations.push_back({std::move(lIAC), leftTwips, topTwips});
    }
    void ShowAbout() override { ++abouts; }
    void CloseConfigurations() { configurations.clear(); }

    std::vector<Configuration> configurations;
    int abouts = 0;
};

}  // namespace velnix::testing
