// The core's names used after <windows.h>, as an adapter that includes the core first uses them:
// a class or member of the core named like a windows.h macro (MessageBox, GetShortPathName,
// GetVersionEx...) is renamed where it is used and no longer found.
#include <gtest/gtest.h>

#include "config/SystemFacts.h"
#include "testsupport/FakeMsgBox.h"
#include "testsupport/FakeSystemFacts.h"
#include "ui/MsgBox.h"

#include <windows.h>

namespace velnix {
namespace {

TEST(CoreNamesAfterWindowsTest, TheRenamedMembersAreCalledByTheirNames) {
    testing::FakeShortPath fakeShortPath;
    fakeShortPath.shortForms["C:\\Program Files"] = "C:\\PROGRA~1";
    ShortPathApi& shortPath = fakeShortPath;
    char buffer[16] = {};
    EXPECT_EQ(shortPath.ShortPathOf("C:\\Program Files", buffer, sizeof buffer), 11u);

    testing::FakeVersion fakeVersion;
    VersionApi& version = fakeVersion;
    OsVersionInfo info{};
    info.dwOSVersionInfoSize = sizeof info;
    EXPECT_TRUE(version.ReadVersion(info));

    testing::FakeMsgBox fakeMessages;
    MsgBox& messages = fakeMessages;
    messages.Show("Connexion établie.", kApplicationTitle, MsgBox::Icon::Information);
    EXPECT_EQ(fakeMessages.shown.size(), 1u);
}

}  // namespace
}  // namespace velnix
