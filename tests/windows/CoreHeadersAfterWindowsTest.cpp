// The core's headers after <windows.h>, as a Windows adapter includes them: a header that uses a
// name windows.h defines as a macro (ERROR, DELETE, MessageBox...) fails to build here, or is
// renamed here and not in the core's objects.
#include <windows.h>

#include <gtest/gtest.h>

#include "config/SystemFacts.h"
#include "engine/RasApi.h"
#include "testsupport/FakeMsgBox.h"
#include "testsupport/FakeRegistry.h"
#include "testsupport/FakeSystemFacts.h"
#include "ui/MsgBox.h"
#include "ui/about/frmAbout.h"
#include "ui/config/ConfigTenaline.h"
#include "ui/main/TenalineFrm.h"

namespace velnix {
namespace {

class QuietAboutView : public AboutView {
  public:
    void SetCaption(const std::string&) override {}
    void SetLblTitle(const std::string&) override {}
    void SetLblVersion(const std::string&) override {}
    void Close() override {}
};

TEST(CoreHeadersAfterWindowsTest, TheCoreReachesTheSystemThroughItsOwnNames) {
    testing::FakeRegistry registry;
    testing::FakeShortPath shortPath;
    shortPath.shortForms["C:\\Program Files"] = "C:\\PROGRA~1";
    testing::FakeVersion version;
    testing::FakeRunningProgram program;
    modRegistry facts(registry, shortPath, version, program);
    EXPECT_EQ(facts.GetShortPath("C:\\Program Files"), "C:\\PROGRA~1");
    EXPECT_TRUE(facts.IsWindowsNT());

    testing::FakeMsgBox messages;
    AboutServices services;
    services.registry = &registry;
    services.messages = &messages;
    QuietAboutView view;
    frmAbout about(view, services);
    about.Command1_Click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, MsgBox::Icon::Information);
}

}  // namespace
}  // namespace velnix
