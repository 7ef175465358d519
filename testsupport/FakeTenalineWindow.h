#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/InternetTenaline.h"
#include "engine/TenalineWindow.h"
#include "testsupport/RecordingEvents.h"

namespace velnix::testing {

// A main window that records its start steps ("Show", "BindTo connected" or
// "BindTo not connected"), keeps the object like the real window and records its events.
class FakeTenalineWindow : public TenalineWindow, public RecordingEvents {
  public:
    explicit FakeTenalineWindow(std::vector<std::string>* journal) : journal_(journal) {}
    ~FakeTenalineWindow() override { Unload(); }

    void Show() override;
    void BindTo(std::shared_ptr<InternetTenaline> lIAC) override;

    // The window is closed: it lets go of the object.
    void Unload();

    std::shared_ptr<InternetTenaline> mIAC;

  private:
    std::vector<std::string>* journal_;
};

}  // namespace velnix::testing
