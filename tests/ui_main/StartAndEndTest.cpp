// Start of the main window, binding, single copy, unload and quit.

#include "tests/ui_main/MainWindowTestBase.h"

namespace velnix {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

TEST_F(MainWindowTest, StartLoadsShowsAndAppliesTheNotConnectedDisplay) {
    Start();
    EXPECT_THAT(journal, ElementsAre("move 100 100", "icon WindowIcon", "tip Velnix : Démarrage.",
                                     "check CmdAutoMask 0", "show", "caption Label5 Non connecté",
                                     "visible lblTemps 0", "menu CmdConnect Se connecter",
                                     "caption CmdCon Se connecter", "picture Image2 Disconnected",
                                     "tooltip Image2 Non connecté", "tip Velnix  : Déconnecté.",
                                     "icon Disconnected"));
    // The window holds the object once the start procedure has let go of it.
    EXPECT_FALSE(object.expired());
    EXPECT_EQ(Frm().mIAC, object.lock());
    EXPECT_THAT(launcher.started, IsEmpty());  // the window dials nothing by itself
}

TEST_F(MainWindowTest, StartWithALinkUpAndAutoMaskHidesAtOnce) {
    ras.Up(kEntry);
    SetAutoMask(true);
    Start();
    EXPECT_EQ(menu.checks[MenuEntry::CmdAutoMask], true);
    EXPECT_EQ(controls.captions[Control::Label5], "Connexion établie depuis :");
    EXPECT_EQ(tray.tip, "Velnix  : Connecté.");
    EXPECT_TRUE(tray.inTray);
    EXPECT_FALSE(controls.shown);
    EXPECT_EQ(menu.captions[MenuEntry::CmdIconize], "Afficher");
}

TEST_F(MainWindowTest, SecondCopyEndsBeforeShowingOrBindingAnything) {
    application.anotherCopy = true;
    Start();
    EXPECT_THAT(journal, ElementsAre("quit"));
    EXPECT_TRUE(object.expired());  // the window never held the object
    EXPECT_THAT(launcher.started, IsEmpty());
    EXPECT_EQ(ras.enumConnectionsCalls, 0);
}

TEST_F(MainWindowTest, CorruptAutoMaskIsShownAndTheMarkStartsUnticked) {
    settings.Set("Vorn", "Velnix", "AutoMask", "peut-être");
    ras.Up(kEntry);
    Start();
    ASSERT_EQ(messageBox.shown.size(), 1U);
    EXPECT_THAT(messageBox.shown[0].text, HasSubstr("Incompatibilité de type"));
    EXPECT_EQ(messageBox.shown[0].title, "Velnix-Connect");
    EXPECT_EQ(menu.checks[MenuEntry::CmdAutoMask], false);
    // The program goes on: shown, bound, connected display, not hidden.
    EXPECT_TRUE(controls.shown);
    EXPECT_EQ(controls.captions[Control::CmdCon], "Se déconnecter");
    EXPECT_FALSE(tray.inTray);
}

TEST_F(MainWindowTest, FailingBindingIsShownAndTheWindowStaysBound) {
    images.keys.clear();
    Start();
    ASSERT_EQ(messageBox.shown.size(), 1U);
    EXPECT_EQ(messageBox.shown[0].title, "Velnix-Connect");
    EXPECT_EQ(messageBox.shown[0].icon, MsgBox::Icon::Critical);
    // The steps before the missing picture stay done.
    EXPECT_EQ(controls.captions[Control::CmdCon], "Se connecter");
    EXPECT_EQ(tray.tip, "Velnix : Démarrage.");
    EXPECT_FALSE(object.expired());
    EXPECT_NE(Frm().mIAC, nullptr);
}

TEST_F(MainWindowTest, WindowThatCannotShowIsReportedAndStillBound) {
    controls.failShow = true;
    Start();
    ASSERT_EQ(messageBox.shown.size(), 1U);
    EXPECT_FALSE(object.expired());
    EXPECT_NE(Frm().mIAC, nullptr);
}

TEST_F(MainWindowTest, UnloadReleasesTheObjectWithoutHangingUp) {
    ras.Up(kEntry);
    StartProgram();
    Frm().FormUnload();
    EXPECT_TRUE(object.expired());
    EXPECT_THAT(launcher.started, IsEmpty());
    EXPECT_EQ(ras.links.size(), 1U);
}

TEST_F(MainWindowTest, OpenConfigurationDialogKeepsTheObjectAfterUnload) {
    StartProgram();
    Frm().CmdConfigClick();
    Frm().FormUnload();
    EXPECT_FALSE(object.expired());
    EXPECT_EQ(Frm().mIAC, nullptr);
    const int calls = ras.enumConnectionsCalls;
    Frm().SurvConnTimer();  // an unbound window's tick does nothing
    EXPECT_EQ(ras.enumConnectionsCalls, calls);
    dialogs.CloseConfigurations();
    EXPECT_TRUE(object.expired());
}

TEST_F(MainWindowTest, UnboundWindowIgnoresConnectionCommands) {
    StartProgram();
    Frm().CmdConfigClick();
    Frm().FormUnload();
    Frm().CmdConClick();
    Frm().CmdConfigClick();
    EXPECT_THAT(launcher.started, IsEmpty());
    EXPECT_EQ(dialogs.configurations.size(), 1U);
    EXPECT_THAT(messageBox.shown, IsEmpty());
}

TEST_F(MainWindowTest, QuitEndsWithoutUnloadAndWithoutHangingUp) {
    ras.Up(kEntry);
    StartProgram();
    Frm().CmdQuitClick();
    Frm().Command2Click();
    EXPECT_EQ(application.quits, 2);
    EXPECT_THAT(launcher.started, IsEmpty());
    EXPECT_NE(Frm().mIAC, nullptr);  // no unload handling ran
}

}  // namespace
}  // namespace velnix
