#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/InternetTenaline.h"
#include "testsupport/FakeApplication.h"
#include "testsupport/FakeCommandMenu.h"
#include "testsupport/FakeDialogOpener.h"
#include "testsupport/FakeFormControls.h"
#include "testsupport/FakeImageList.h"
#include "testsupport/FakeMsgBox.h"
#include "testsupport/FakeProcessLauncher.h"
#include "testsupport/FakeRasApi.h"
#include "testsupport/FakeSettingsStore.h"
#include "testsupport/FakeTrayIcon.h"
#include "testsupport/RecordingCanvas.h"
#include "ui/main/TenalineFrm.h"

namespace velnix::testing {

// A real connection object and the real main-window logic, on fakes. The controls, the menu,
// the icon and the application write into one journal, so tests can check the order of steps.
// The fixture owns the window logic, as the toolkit does, and ends it before the fakes.
struct MainWindowFixture {
    MainWindowFixture();

    TenalineServices Services();
    // Runs the start procedure's creation of the object, which the fixture watches without
    // holding it.
    std::shared_ptr<InternetTenaline> Start();
    // The window; fails the test's expectations by throwing when none was created.
    TenalineFrm& Frm();

    FakeSettingsStore settings;
    FakeRasApi ras;
    FakeProcessLauncher launcher;
    std::vector<std::string> journal;
    FakeFormControls controls{&journal};
    FakeCommandMenu menu{&journal};
    FakeTrayIcon tray{&journal};
    FakeImageList images;
    RecordingCanvas picGraphD;
    RecordingCanvas picGraphU;
    FakeApplication application{&journal};
    FakeMsgBox messageBox;
    FakeDialogOpener dialogs;
    std::weak_ptr<InternetTenaline> object;
    std::shared_ptr<TenalineFrm> window;
};

}  // namespace velnix::testing
