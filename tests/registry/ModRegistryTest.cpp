#include <gtest/gtest.h>

#include "config/modRegistry.h"
#include "testsupport/FakeRegistry.h"
#include "testsupport/FakeSystemFacts.h"

namespace velnix {
namespace {

using testing::FakeRegistry;
constexpr std::string_view kKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr reg::HKey kHklm = reg::kHKeyLocalMachine;

class ModRegistryTest : public ::testing::Test {
  protected:
    void SetUp() override { registry.AddKey(kKey); }
    // Whatever the path taken, no key stays open.
    void TearDown() override { EXPECT_TRUE(registry.openHandles.empty()); }

    FakeRegistry registry;
    testing::FakeShortPath shortPath;
    testing::FakeVersion version;
    testing::FakeRunningProgram program;
    modRegistry module{registry, shortPath, version, program};
};

TEST_F(ModRegistryTest, DeleteValueReportsTheOpenOrTheCloseNeverTheDeletion) {
    registry.PutText(kKey, "Velnix", "C:\\X\\dialer.exe");
    EXPECT_EQ(module.DeleteValue(kHklm, kKey, "Velnix"), 0);
    EXPECT_FALSE(registry.Get(kKey, "Velnix"));
    EXPECT_EQ(registry.opens.back().access, 0x3Fu);

    // An absent value under a key that opens: the close's status.
    EXPECT_EQ(module.DeleteValue(kHklm, kKey, "Velnix"), 0);
    EXPECT_EQ(module.DeleteValue(kHklm, "Software\\Missing", "Velnix"), 2);

    registry.writeDenied.insert("software\\microsoft\\windows\\currentversion\\run");
    EXPECT_EQ(module.DeleteValue(kHklm, kKey, "Velnix"), 5);
    EXPECT_EQ(registry.closes, 2);
}

TEST_F(ModRegistryTest, SetKeyValueStoresIntegersAsDwordAndTextWithItsNul) {
    EXPECT_EQ(module.SetKeyValue(kHklm, kKey, "Short", RegValue(int16_t{-2})), 0);
    EXPECT_EQ(module.SetKeyValue(kHklm, kKey, "Long", RegValue(int32_t{0x01020304})), 0);
    module.SetStringValue(kHklm, kKey, "Text", " C:\\A b\\x.exe ");

    auto shortValue = registry.Get(kKey, "Short");
    ASSERT_TRUE(shortValue);
    EXPECT_EQ(shortValue->type, reg::kRegDword);
    EXPECT_EQ(shortValue->data, (std::vector<uint8_t>{0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(registry.Get(kKey, "Long")->data, (std::vector<uint8_t>{4, 3, 2, 1}));
    auto text = registry.Get(kKey, "Text");
    EXPECT_EQ(text->type, reg::kRegSz);
    EXPECT_EQ(text->data.size(), 15u);  // untrimmed, NUL included
    EXPECT_EQ(text->data.back(), 0);
    EXPECT_EQ(registry.opens.back().access, 0x3Fu);
}

TEST_F(ModRegistryTest, SetKeyValueWritesNothingForOtherKindsAndHidesTheWriteStatus) {
    for (const RegValue& value : {RegValue(), RegValue(true), RegValue(1.5)}) {
        EXPECT_EQ(module.SetKeyValue(kHklm, kKey, "Other", value), 0);
    }
    EXPECT_EQ(registry.sets, 0);
    EXPECT_EQ(registry.closes, 3);

    registry.setStatus = 5;
    EXPECT_EQ(module.SetKeyValue(kHklm, kKey, "Other", RegValue(std::string("x"))), 0);
    EXPECT_EQ(module.SetKeyValue(kHklm, "Software\\Missing", "x", RegValue(int32_t{1})), 2);
}

TEST_F(ModRegistryTest, QueryValueReadsTextUpToItsFirstNul) {
    registry.PutBytes(kKey, "Velnix", reg::kRegSz, {'a', 'b', 0, 'c', 0});
    std::string out = "old";
    EXPECT_EQ(module.QueryValue(kHklm, kKey, "VELNIX", out), 0);
    EXPECT_EQ(out, "ab");
    EXPECT_EQ(registry.opens.back().access, 0x19u);

    // Text stored without a NUL still reads whole.
    registry.PutBytes(kKey, "Bare", reg::kRegSz, {'x', 'y'});
    EXPECT_EQ(module.QueryValue(kHklm, kKey, "Bare", out), 0);
    EXPECT_EQ(out, "xy");
}

TEST_F(ModRegistryTest, QueryValueGivesNumbersAsIntegersOrAsDecimalText) {
    registry.PutDword(kKey, "Number", 0xFFFFFFFF);
    std::string text;
    EXPECT_EQ(module.QueryValue(kHklm, kKey, "Number", text), 0);
    EXPECT_EQ(text, "-1");
    RegValue value;
    EXPECT_EQ(module.QueryValue(kHklm, kKey, "Number", value), 0);
    EXPECT_EQ(std::get<int32_t>(value), -1);
}

TEST_F(ModRegistryTest, QueryValueFindsOtherTypesWithoutReadingThem) {
    registry.PutText(kKey, "Expand", "%SystemRoot%\\x.exe", reg::kRegExpandSz);
    registry.PutBytes(kKey, "Binary", reg::kRegBinary, {1, 2, 3});
    std::string out = "unchanged";
    EXPECT_EQ(module.QueryValue(kHklm, kKey, "Expand", out), 0);
    EXPECT_EQ(module.QueryValue(kHklm, kKey, "Binary", out), 0);
    EXPECT_EQ(out, "unchanged");
}

TEST_F(ModRegistryTest, QueryValueReportsMissingValuesKeysAndFailedReads) {
    std::string out = "kept";
    EXPECT_EQ(module.QueryValue(kHklm, kKey, "Velnix", out), 2);
    EXPECT_EQ(registry.closes, 1);
    EXPECT_EQ(module.QueryValue(kHklm, "Software\\Missing", "Velnix", out), 2);
    EXPECT_EQ(registry.closes, 1);  // nothing was opened

    registry.PutText(kKey, "Velnix", "C:\\x.exe");
    registry.PutDword(kKey, "Number", 7);
    registry.dataReadStatus = 30;
    EXPECT_EQ(module.QueryValue(kHklm, kKey, "Velnix", out), 30);
    EXPECT_EQ(module.QueryValue(kHklm, kKey, "Number", out), 30);
    EXPECT_EQ(out, "kept");
}

TEST(CutAtNulTest, StopsAtTheFirstNul) {
    using namespace std::string_literals;
    EXPECT_EQ(modRegistry::CutAtNul("abc\0def\0"s), "abc");
    EXPECT_EQ(modRegistry::CutAtNul("\0abc"s), "");
    EXPECT_EQ(modRegistry::CutAtNul("abc"), "abc");
    EXPECT_EQ(modRegistry::CutAtNul(""), "");
}

TEST_F(ModRegistryTest, BuildExePathAtADriveRootAddsNoSecondBackslash) {
    program.folder = "C:\\";
    shortPath.shortForms["C:\\"] = "C:\\";
    module.BuildExePath();
    EXPECT_EQ(module.ExePath, "C:\\dialer.exe");
}

TEST_F(ModRegistryTest, BuildExePathUsesTheShortFolderAndKeepsTheName) {
    program.folder = "C:\\Program Files\\Tools";
    program.name = "My Dialer";
    shortPath.shortForms[program.folder] = "C:\\PROGRA~1\\Tools";
    module.BuildExePath();
    // The name keeps its blank, so the command is quoted.
    EXPECT_EQ(module.ExePath, "\"C:\\PROGRA~1\\Tools\\My Dialer.exe\"");

    program.name = "dialer";
    module.BuildExePath();
    EXPECT_EQ(module.ExePath, "C:\\PROGRA~1\\Tools\\dialer.exe");
}

TEST_F(ModRegistryTest, BuildExePathQuotesALongFolderWithBlanks) {
    program.folder = "C:\\Program Files\\Tools";  // no short form
    module.BuildExePath();
    EXPECT_EQ(module.ExePath, "\"C:\\Program Files\\Tools\\dialer.exe\"");
}

TEST_F(ModRegistryTest, BuildExePathOnLinuxAddsNoExtension) {
    program.separator = '/';
    program.extension = "";
    program.name = "velnix";
    program.folder = "/";
    module.BuildExePath();
    EXPECT_EQ(module.ExePath, "/velnix");
    program.folder = "/opt/Mes \"Outils\"";
    module.BuildExePath();
    EXPECT_EQ(module.ExePath, "\"/opt/Mes \\\"Outils\\\"/velnix\"");
    // A tab splits the command as a blank does; a lone quote would open a quoted part.
    program.folder = "/opt/Mes\tOutils";
    module.BuildExePath();
    EXPECT_EQ(module.ExePath, "\"/opt/Mes\tOutils/velnix\"");
    program.folder = "/opt/a\"b";
    module.BuildExePath();
    EXPECT_EQ(module.ExePath, "\"/opt/a\\\"b/velnix\"");
}

TEST_F(ModRegistryTest, BuildExePathGoesOnWhenTheFolderIsUnknown) {
    program.failFolder = true;
    module.ExePath.clear();
    module.BuildExePath();
    EXPECT_EQ(module.ExePath, "\\dialer.exe");
}

TEST_F(ModRegistryTest, GetShortPathAsksAgainWhenTheShortFormDoesNotFit) {
    const std::string longPath = "C:\\" + std::string(250, 'a');
    const std::string shortForm = "C:\\" + std::string(196, 'b');  // 199 characters
    shortPath.shortForms[longPath] = shortForm;
    EXPECT_EQ(module.GetShortPath(longPath), shortForm);
    EXPECT_EQ(shortPath.rooms, (std::vector<uint32_t>{164, 200}));

    shortPath.shortForms["C:\\Fits"] = std::string(163, 'c');
    EXPECT_EQ(module.GetShortPath("C:\\Fits"), std::string(163, 'c'));
    EXPECT_EQ(module.GetShortPath("C:\\No short form"), "C:\\No short form");
}

TEST_F(ModRegistryTest, IsWindowsNTAsksWithTheRecordSize) {
    EXPECT_TRUE(module.IsWindowsNT());
    EXPECT_EQ(version.sizeSeen, 148u);
    version.platformId = kVerPlatformWin32Windows;
    EXPECT_FALSE(module.IsWindowsNT());
    version.platformId = kVerPlatformWin32Nt;
    version.fail = true;
    EXPECT_FALSE(module.IsWindowsNT());
}

}  // namespace
}  // namespace velnix
