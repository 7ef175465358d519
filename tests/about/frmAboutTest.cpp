#include <gtest/gtest.h>

#include <set>

#include "common/Errors.h"
#include "common/Version.h"
#include "testsupport/FakeMsgBox.h"
#include "testsupport/FakeRegistry.h"
#include "testsupport/FakeSystemFacts.h"
#include "ui/about/AboutTexts.h"
#include "ui/about/frmAbout.h"

namespace velnix {
namespace {

constexpr std::string_view kSysInfo = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr std::string_view kLocation = "SOFTWARE\\Microsoft\\Shared Tools Location";

class FakeAboutView : public AboutView {
  public:
    void SetCaption(const std::string& text) override { caption = text; }
    void SetLblTitle(const std::string& text) override { title = text; }
    void SetLblVersion(const std::string& text) override { version = text; }
    void Close() override { ++closes; }

    std::string caption = "frmAbout";
    std::string title;
    std::string version;
    int closes = 0;
};

class RecordingShell : public ShellOpener {
  public:
    struct Call {
        std::string file, parameters, directory;
        bool operator==(const Call&) const = default;
    };
    void Open(std::string_view file, std::string_view parameters,
              std::string_view directory) override {
        calls.push_back({std::string(file), std::string(parameters), std::string(directory)});
        if (fail) throw VelnixError("pas de navigateur");
    }
    std::vector<Call> calls;
    bool fail = false;
};

class FrmAboutTest : public ::testing::Test {
  protected:
    AboutServices MakeServices() {
        AboutServices made;
        made.registry = &registry;
        made.startShown = [this](const std::string& command) {
            started.push_back(command);
            if (!startable.contains(command)) throw ProcessStartError("introuvable");
        };
        made.fileExists = [this](const std::string& file) { return files.contains(file); };
        made.shell = &shell;
        made.messages = &messages;
        made.program = &program;
        return made;
    }
    void TearDown() override { EXPECT_TRUE(registry.openHandles.empty()); }

    bool Read(std::string_view key, std::string_view name, std::string& value) {
        return about.GetKeyValue(reg::kHKeyLocalMachine, key, name, value);
    }
    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const auto& shown : messages.shown) texts.push_back(shown.title + "|" + shown.text);
        return texts;
    }

    testing::FakeRegistry registry;
    std::vector<std::string> started;
    std::set<std::string> startable;
    std::set<std::string> files;
    RecordingShell shell;
    testing::FakeMsgBox messages;
    testing::FakeRunningProgram program;
    AboutServices services = MakeServices();
    FakeAboutView view;
    frmAbout about{view, services};
};

TEST_F(FrmAboutTest, GetKeyValueReadsTextWithReadRightsOnly) {
    registry.PutText(kSysInfo, "PATH", "C:\\Outils\\msinfo32.exe");
    registry.writeDenied.insert("software\\microsoft\\shared tools\\msinfo");
    std::string value = "old";
    EXPECT_TRUE(Read(kSysInfo, "PATH", value));
    EXPECT_EQ(value, "C:\\Outils\\msinfo32.exe");
    EXPECT_EQ(registry.opens.back().access, 0x20019u);
    EXPECT_EQ(registry.closes, 1);
}

TEST_F(FrmAboutTest, GetKeyValueGivesNumbersInHexadecimal) {
    registry.AddKey(kSysInfo);
    registry.PutDword(kSysInfo, "N", 0x0001A2B3);
    registry.PutDword(kSysInfo, "Top", 0xFF000010);
    registry.PutDword(kSysInfo, "Zero", 0);
    std::string value;
    EXPECT_TRUE(Read(kSysInfo, "N", value));
    EXPECT_EQ(value, "&h1A2B3");
    EXPECT_TRUE(Read(kSysInfo, "Top", value));
    EXPECT_EQ(value, "&hFF000010");
    EXPECT_TRUE(Read(kSysInfo, "Zero", value));
    EXPECT_EQ(value, "&h0");
}

TEST_F(FrmAboutTest, GetKeyValueLeavesOtherTypesAndReadsEmptyData) {
    registry.PutBytes(kSysInfo, "Bin", reg::kRegBinary, {'a', 'b'});
    registry.PutBytes(kSysInfo, "Empty", reg::kRegSz, {});
    std::string value = "as passed";
    EXPECT_TRUE(Read(kSysInfo, "Bin", value));
    EXPECT_EQ(value, "as passed");
    EXPECT_TRUE(Read(kSysInfo, "Empty", value));
    EXPECT_EQ(value, "");
}

TEST_F(FrmAboutTest, GetKeyValueFailsOnLongValuesAndMissingKeysOrValues) {
    registry.PutText(kSysInfo, "Long", std::string(1024, 'x'));  // 1025 bytes with its NUL
    registry.PutText(kSysInfo, "Fits", std::string(1023, 'y'));
    std::string value = "x";
    EXPECT_FALSE(Read(kSysInfo, "Long", value));
    EXPECT_EQ(value, "");
    EXPECT_TRUE(Read(kSysInfo, "Fits", value));
    EXPECT_EQ(value.size(), 1023u);
    value = "x";
    EXPECT_FALSE(Read(kSysInfo, "Missing", value));
    EXPECT_EQ(value, "");
    value = "x";
    EXPECT_FALSE(Read("SOFTWARE\\Nowhere", "PATH", value));
    EXPECT_EQ(value, "");
    EXPECT_EQ(registry.closes, 3);
}

TEST_F(FrmAboutTest, TheToolNamedByPathIsStarted) {
    registry.PutText(kSysInfo, "PATH", "/usr/bin/hardinfo");
    startable.insert("/usr/bin/hardinfo");
    about.cmdSysInfo_Click();
    EXPECT_EQ(started, std::vector<std::string>{"/usr/bin/hardinfo"});
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(FrmAboutTest, APathThatDoesNotStartGivesTheMessage) {
    registry.PutText(kSysInfo, "PATH", "C:\\Parti\\msinfo32.exe");
    registry.PutText(kLocation, "MSINFO", "C:\\Outils");
    files.insert("C:\\Outils\\MSINFO32.EXE");
    about.StartSysInfo();
    EXPECT_EQ(started, std::vector<std::string>{"C:\\Parti\\msinfo32.exe"});
    EXPECT_EQ(Messages(),
              std::vector<std::string>{"Velnix-Connect|Information Systeme introuvable !"});
}

TEST_F(FrmAboutTest, WithoutPathTheLocationIsSearched) {
    registry.PutText(kLocation, "MSINFO", "C:\\Outils");
    about.StartSysInfo();
    EXPECT_TRUE(started.empty());
    EXPECT_EQ(messages.shown.size(), 1u);

    files.insert("C:\\Outils\\MSINFO32.EXE");
    startable.insert("C:\\Outils\\MSINFO32.EXE");
    about.StartSysInfo();
    EXPECT_EQ(started, std::vector<std::string>{"C:\\Outils\\MSINFO32.EXE"});
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(FrmAboutTest, NeitherValueGivesTheMessage) {
    about.StartSysInfo();
    EXPECT_TRUE(started.empty());
    EXPECT_EQ(Messages(),
              std::vector<std::string>{"Velnix-Connect|Information Systeme introuvable !"});
}

TEST_F(FrmAboutTest, APathOfAnotherTypeOrEmptyStopsTheSearch) {
    registry.PutBytes(kSysInfo, "PATH", reg::kRegBinary, {1, 2});
    registry.PutText(kLocation, "MSINFO", "C:\\Outils");
    files.insert("C:\\Outils\\MSINFO32.EXE");
    startable.insert("C:\\Outils\\MSINFO32.EXE");
    about.StartSysInfo();
    for (const auto& open : registry.opens) EXPECT_EQ(open.path, kSysInfo);
    EXPECT_TRUE(started.empty());

    registry.PutBytes(kSysInfo, "PATH", reg::kRegSz, {});
    about.StartSysInfo();
    EXPECT_TRUE(started.empty());
    EXPECT_EQ(messages.shown.size(), 2u);
}

TEST_F(FrmAboutTest, EveryLoadSetsCaptionTitleAndVersion) {
    about.Form_Load();
    EXPECT_EQ(view.caption, "A propos Velnix-Connect");
    EXPECT_EQ(view.title, "Velnix-Connect");
    EXPECT_EQ(view.version, "Version " VELNIX_VERSION);
    about.cmdOK_Click();
    EXPECT_EQ(view.closes, 1);

    // Shown again after being closed: a fresh form, loaded anew.
    FakeAboutView second;
    frmAbout again(second, services);
    again.Form_Load();
    EXPECT_EQ(second.caption, "A propos Velnix-Connect");
    EXPECT_EQ(second.version, "Version " VELNIX_VERSION);
}

TEST_F(FrmAboutTest, TheDetailsLinesAreSeparatedByACarriageReturnAlone) {
    about.Command1_Click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "A propos");
    EXPECT_EQ(messages.shown[0].icon, MsgBox::Icon::Information);
    const std::string& text = messages.shown[0].text;
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_EQ(text.rfind("Velnix version " VELNIX_VERSION " - Auto-connexion Internet\r\r", 0), 0u);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 6);
    EXPECT_NE(text.find("\rE-Mail : contact@velnix.example.org\r"), std::string::npos);
}

TEST_F(FrmAboutTest, LinksGoToTheShellAndFailSilently) {
    about.lblDisclaimer_Click();
    about.Label3_Click();
    about.Image2_Click();
    const std::vector<RecordingShell::Call> expected = {
        {"mailto:contact@velnix.example.org", "", ""},
        {"https://velnix.example.org/", "", "C:\\Tools"},
        {"https://velnix.example.org/don", "", "C:\\Tools"},
    };
    EXPECT_EQ(shell.calls, expected);

    shell.fail = true;
    program.failFolder = true;
    EXPECT_NO_THROW(about.Label3_Click());
    EXPECT_EQ(shell.calls.back(), (RecordingShell::Call{"https://velnix.example.org/", "", ""}));
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace velnix
