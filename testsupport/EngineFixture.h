#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/InternetTenaline.h"
#include "testsupport/FakeProcessLauncher.h"
#include "testsupport/FakeRasApi.h"
#include "testsupport/FakeSettingsStore.h"
#include "testsupport/FakeTenalineWindow.h"

namespace velnix::testing {

// A connection object on fakes, created through its real initialisation, with a fake window.
// The fixture keeps the window open, as the toolkit does, until the window is unloaded or the
// fixture ends.
struct EngineFixture {
    EngineFixture();

    TenalineServices Services();
    std::shared_ptr<InternetTenaline> Start();

    FakeSettingsStore settings;
    FakeRasApi ras;
    FakeProcessLauncher launcher;
    std::vector<std::string> journal;
    std::shared_ptr<FakeTenalineWindow> window;
};

}  // namespace velnix::testing
