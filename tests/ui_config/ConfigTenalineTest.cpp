#include <gtest/gtest.h>

#include "config/SettingsKeys.h"
#include "testsupport/EngineFixture.h"
#include "testsupport/FakeMsgBox.h"
#include "testsupport/FakeRegistry.h"
#include "testsupport/FakeSystemFacts.h"
#include "ui/config/ConfigTenaline.h"

namespace velnix {
namespace {

constexpr std::string_view kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr std::string_view kRunServices =
    "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices";

// The dialog's controls in memory. Setting the start box from the logic reports no click, as
// the real dialog does.
class FakeConfigView : public ConfigView {
  public:
    void CboConnection_AddItem(const std::string& item) override { items.push_back(item); }
    int CboConnection_ListCount() override { return static_cast<int>(items.size()); }
    std::string CboConnection_List(int index) override { return items.at(index); }
    int CboConnection_ListIndex() override { return listIndex; }
    void CboConnection_SetListIndex(int index) override { listIndex = index; }
    bool ChkReconnect() override { return reconnect; }
    void SetChkReconnect(bool ticked) override { reconnect = ticked; }
    std::string TxtLogin() override { return login; }
    void SetTxtLogin(const std::string& text) override { login = text; }
    std::string TxtPasword() override { return password; }
    void SetTxtPasword(const std::string& text) override { password = text; }
    bool ChkStartOnWin() override { return startOnWin; }
    void SetChkStartOnWin(bool ticked) override {
        startOnWin = ticked;
        ++startOnWinSets;
    }
    void Close() override { ++closes; }

    std::vector<std::string> items;
    int listIndex = -1;
    bool reconnect = false;
    std::string login;
    std::string password;
    bool startOnWin = false;
    int startOnWinSets = 0;
    int closes = 0;
};

class ConfigTenalineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        engine.ras.entries = {"Maison ADSL", "Secours RTC"};
        registry.AddKey(kRun);
        registry.AddKey(kRunServices);
        program.folder = "C:\\Velnix";
        program.name = "velnix";
    }
    void TearDown() override { EXPECT_TRUE(registry.openHandles.empty()); }

    // A dialog as the main window opens it: bound, then activated.
    struct Dialog {
        FakeConfigView view;
        std::unique_ptr<ConfigTenaline> logic;
    };
    std::unique_ptr<Dialog> Open() {
        auto dialog = std::make_unique<Dialog>();
        dialog->logic = std::make_unique<ConfigTenaline>(dialog->view, module, messages);
        dialog->logic->BindTo(object);
        dialog->logic->Form_Activate();
        return dialog;
    }

    std::string Stored(const TextSetting& setting) {
        return engine.settings.Get(setting.application, setting.section, setting.key);
    }

    testing::EngineFixture engine;
    std::shared_ptr<InternetTenaline> object = engine.Start();
    testing::FakeRegistry registry;
    testing::FakeShortPath shortPath;
    testing::FakeVersion version;
    testing::FakeRunningProgram program;
    modRegistry module{registry, shortPath, version, program};
    testing::FakeMsgBox messages;
};

TEST_F(ConfigTenalineTest, AFreshProfileShowsTheEntriesWithNoneSelected) {
    auto dialog = Open();
    EXPECT_EQ(dialog->view.items, engine.ras.entries);
    EXPECT_EQ(dialog->view.listIndex, -1);
    EXPECT_EQ(dialog->view.login, "");
    EXPECT_EQ(dialog->view.password, "");
    EXPECT_TRUE(dialog->view.reconnect);
    EXPECT_FALSE(dialog->view.startOnWin);
    EXPECT_EQ(registry.sets + registry.deletes, 0);
    EXPECT_TRUE(dialog->logic->IsBound());
}

TEST_F(ConfigTenalineTest, TheStoredOptionsFillTheControls) {
    object->Connection("secours rtc");  // the monitor ignores case, so does the list
    object->Login("jean");
    object->PassWord("s3cret");
    object->Tenaline(false);
    auto dialog = Open();
    EXPECT_EQ(dialog->view.listIndex, 1);
    EXPECT_EQ(dialog->view.login, "jean");
    EXPECT_EQ(dialog->view.password, "s3cret");
    EXPECT_FALSE(dialog->view.reconnect);
}

TEST_F(ConfigTenalineTest, AStoredNameMissingFromTheListIsSavedAsEmpty) {
    object->Connection("Ancien FAI");
    auto dialog = Open();
    EXPECT_EQ(dialog->view.listIndex, -1);
    dialog->logic->CmdSave_Click();
    EXPECT_EQ(Stored(settings::kConnectionName), "");
}

TEST_F(ConfigTenalineTest, SavingWritesEveryFieldAsTypedThenLetsGoAndCloses) {
    auto dialog = Open();
    dialog->view.reconnect = false;
    dialog->view.login = "";
    dialog->view.password = " mot de passe ";
    dialog->logic->CmdSave_Click();
    EXPECT_EQ(Stored(settings::kConnectionName), "");
    EXPECT_EQ(Stored(settings::kLogin), "");
    EXPECT_EQ(Stored(settings::kPassWord), " mot de passe ");
    EXPECT_FALSE(object->Tenaline());
    EXPECT_FALSE(dialog->logic->IsBound());
    EXPECT_EQ(dialog->view.closes, 1);
}

TEST_F(ConfigTenalineTest, ASaveThatFailsSaysWhyAndKeepsTheDialogOpen) {
    auto dialog = Open();
    dialog->view.login = "jean";
    engine.settings.failWrites = true;
    dialog->logic->CmdSave_Click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "Velnix-Connect");
    EXPECT_FALSE(messages.shown[0].text.empty());
    EXPECT_EQ(dialog->view.closes, 0);
    EXPECT_TRUE(dialog->logic->IsBound());

    engine.settings.failWrites = false;  // the user frees the store and saves again
    dialog->logic->CmdSave_Click();
    EXPECT_EQ(Stored(settings::kLogin), "jean");
    EXPECT_EQ(dialog->view.closes, 1);
}

TEST_F(ConfigTenalineTest, ClosingWithoutSavingChangesNothing) {
    auto dialog = Open();
    const int writes = engine.settings.writes;
    dialog->view.listIndex = 0;
    dialog->view.login = "x";
    dialog->view.reconnect = false;
    dialog->logic->Command1_Click();
    EXPECT_EQ(dialog->view.closes, 1);
    EXPECT_EQ(engine.settings.writes, writes);
    EXPECT_TRUE(object->Tenaline());
}

TEST_F(ConfigTenalineTest, OfTwoDialogsSavedInTurnTheLaterWins) {
    auto first = Open();
    auto second = Open();
    first->view.listIndex = 0;
    first->view.login = "premier";
    first->view.password = "un";
    second->view.listIndex = 1;
    second->view.login = "second";
    second->view.password = "deux";
    second->view.reconnect = false;
    first->logic->CmdSave_Click();
    second->logic->CmdSave_Click();
    EXPECT_EQ(object->Connection(), "Secours RTC");
    EXPECT_EQ(object->Login(), "second");
    EXPECT_EQ(object->PassWord(), "deux");
    EXPECT_FALSE(object->Tenaline());
}

TEST_F(ConfigTenalineTest, AnExistingStartEntryIsWrittenAgainOnOpeningOnce) {
    registry.PutText(kRun, "Velnix", "C:\\ANCIEN\\velnix.exe", reg::kRegExpandSz);
    auto dialog = Open();
    EXPECT_TRUE(dialog->view.startOnWin);
    EXPECT_EQ(registry.GetText(kRun, "Velnix"), "C:\\Velnix\\velnix.exe");
    EXPECT_EQ(registry.Get(kRun, "Velnix")->type, reg::kRegSz);
    EXPECT_EQ(registry.sets, 1);

    // Later activations find the box as it is: nothing is written again.
    dialog->logic->Form_Activate();
    dialog->logic->Form_Activate();
    EXPECT_EQ(registry.sets, 1);
    EXPECT_EQ(dialog->view.startOnWinSets, 1);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ConfigTenalineTest, TheStartBoxWritesAndDeletesTheEntryAtOnce) {
    auto dialog = Open();
    dialog->view.startOnWin = true;
    dialog->logic->chkStartOnWin_Click();
    EXPECT_EQ(registry.GetText(kRun, "Velnix"), "C:\\Velnix\\velnix.exe");

    dialog->logic->Command1_Click();  // closing does not undo it
    EXPECT_TRUE(registry.Get(kRun, "Velnix"));

    auto again = Open();
    again->view.startOnWin = false;
    again->logic->chkStartOnWin_Click();
    EXPECT_FALSE(registry.Get(kRun, "Velnix"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ConfigTenalineTest, OlderWindowsKeepsTheEntryUnderRunServices) {
    version.platformId = kVerPlatformWin32Windows;
    auto dialog = Open();
    dialog->view.startOnWin = true;
    dialog->logic->chkStartOnWin_Click();
    EXPECT_TRUE(registry.Get(kRunServices, "Velnix"));
    EXPECT_FALSE(registry.Get(kRun, "Velnix"));
}

TEST_F(ConfigTenalineTest, AWriteRefusedSetsTheBoxBackAndSaysWhy) {
    registry.writeDenied.insert("software\\microsoft\\windows\\currentversion\\run");
    auto dialog = Open();
    dialog->view.startOnWin = true;
    dialog->logic->chkStartOnWin_Click();
    EXPECT_FALSE(dialog->view.startOnWin);
    EXPECT_FALSE(registry.Get(kRun, "Velnix"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "Velnix-Connect");
    EXPECT_EQ(messages.shown[0].text, ConfigTenaline::kStartEntryRefused);

    // Only one attempt: setting the box back wrote nothing.
    int writeOpens = 0;
    for (const auto& open : registry.opens) writeOpens += open.access == reg::kKeyWriteAccess;
    EXPECT_EQ(writeOpens, 1);
    dialog->logic->Form_Activate();
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(ConfigTenalineTest, ADeletionThatFailsSetsTheBoxBackTicked) {
    registry.PutText(kRun, "Velnix", "C:\\Velnix\\velnix.exe");
    registry.deleteStatus = reg::kErrorAccessDenied;
    auto dialog = Open();
    dialog->view.startOnWin = false;
    dialog->logic->chkStartOnWin_Click();
    EXPECT_TRUE(dialog->view.startOnWin);
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(ConfigTenalineTest, ANonAdministratorOpeningWithAnEntrySeesNoMessage) {
    // The entry exists but cannot be rewritten: the box shows it, and the failed refresh is
    // not reported since the entry is still there.
    registry.PutText(kRun, "Velnix", "C:\\ANCIEN\\velnix.exe");
    registry.writeDenied.insert("software\\microsoft\\windows\\currentversion\\run");
    auto dialog = Open();
    EXPECT_TRUE(dialog->view.startOnWin);
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace velnix
