// The commands of the buttons, the menu and the notification-area icon, and minimising.

#include "tests/ui_main/MainWindowTestBase.h"

namespace velnix {
namespace {

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;

TEST_F(MainWindowTest, ConnectButtonFollowsTheObjectNotTheCaption) {
    StartProgram();
    ras.Up(kEntry);  // up, but no event yet: the button still reads "Se connecter"
    Frm().CmdConClick();
    EXPECT_THAT(launcher.started, ElementsAre(kHangUp));
    EXPECT_EQ(controls.captions[Control::CmdCon], "Se connecter");
    ras.DownAll();
    Frm().CmdConnectClick();
    EXPECT_THAT(launcher.started, ElementsAre(kHangUp, kDial));
}

TEST_F(MainWindowTest, FailingCommandIsShownAndTheProgramGoesOn) {
    StartProgram();
    launcher.fail = true;
    Frm().CmdConClick();
    ASSERT_EQ(messageBox.shown.size(), 1U);
    EXPECT_EQ(messageBox.shown[0].title, "Velnix-Connect");
    EXPECT_EQ(messageBox.shown[0].icon, MsgBox::Icon::Critical);
    EXPECT_EQ(application.quits, 0);
    launcher.fail = false;
    Frm().SurvConnTimer();  // the monitor re-issues the request
    EXPECT_THAT(launcher.started, Each(kDial));
    EXPECT_THAT(launcher.started, Not(IsEmpty()));
}

TEST_F(MainWindowTest, EachConfigureOpensANewDialogBelowTheWindow) {
    StartProgram();
    controls.Move(1500, 2000);
    Frm().CmdConfigClick();
    Frm().CmdIconizeClick();  // hidden: the geometry is read all the same
    Frm().CmdConfigClick();
    ASSERT_EQ(dialogs.configurations.size(), 2U);
    for (const auto& dialog : dialogs.configurations) {
        EXPECT_EQ(dialog.object, Frm().mIAC);
        EXPECT_EQ(dialog.left, 1800);
        EXPECT_EQ(dialog.top, 2000 + 3525);
    }
}

TEST_F(MainWindowTest, HideAndShowToggleByTheIconControl) {
    StartProgram();
    EXPECT_THAT(StepsOf([&] { Frm().CmdIconizeClick(); }),
                ElementsAre("menu CmdIconize Afficher", "EnterTray", "hide"));
    EXPECT_THAT(StepsOf([&] { Frm().Command1Click(); }),
                ElementsAre("menu CmdIconize Masquer", "LeaveTray", "show"));
    EXPECT_EQ(controls.captions.count(Control::Command1), 0U);  // keeps "Masquer"
}

TEST_F(MainWindowTest, AutoMaskTogglesAndIsWrittenButHidesOnlyOnTheNextEvent) {
    ras.Up(kEntry);
    StartProgram();
    Frm().CmdAutoMaskClick();
    EXPECT_TRUE(menu.Checked(MenuEntry::CmdAutoMask));
    EXPECT_EQ(settings.Get("Vorn", "Velnix", "AutoMask"), "True");
    EXPECT_TRUE(controls.shown);
    Frm().Connected();
    EXPECT_FALSE(controls.shown);
    Frm().CmdAutoMaskClick();
    EXPECT_FALSE(menu.Checked(MenuEntry::CmdAutoMask));
    EXPECT_EQ(settings.Get("Vorn", "Velnix", "AutoMask"), "False");
}

TEST_F(MainWindowTest, AutoMaskWriteFailureIsShown) {
    StartProgram();
    settings.failWrites = true;
    Frm().CmdAutoMaskClick();
    ASSERT_EQ(messageBox.shown.size(), 1U);
    EXPECT_TRUE(menu.Checked(MenuEntry::CmdAutoMask));
}

TEST_F(MainWindowTest, AboutOpensTheSharedDialog) {
    StartProgram();
    Frm().MnuAproposClick();
    EXPECT_EQ(dialogs.abouts, 1);
}

TEST_F(MainWindowTest, MinimisingHidesThenGivesBackTheNormalState) {
    StartProgram();
    EXPECT_THAT(StepsOf([&] { Frm().FormResize(); }), IsEmpty());
    controls.minimised = true;
    EXPECT_THAT(StepsOf([&] { Frm().FormResize(); }),
                ElementsAre("menu CmdIconize Afficher", "EnterTray", "hide", "normal state"));
    Frm().TrayToggleEvent(TrayIcon::kLeftButton);
    EXPECT_TRUE(controls.shown);
    EXPECT_FALSE(controls.minimised);
}

TEST_F(MainWindowTest, IconLeftButtonTogglesAndOtherButtonsDoNothing) {
    StartProgram();
    EXPECT_THAT(StepsOf([&] { Frm().TrayToggleEvent(2); }), IsEmpty());
    EXPECT_THAT(StepsOf([&] { Frm().TrayToggleEvent(4); }), IsEmpty());
    Frm().TrayToggleEvent(1);
    EXPECT_TRUE(tray.inTray);
    EXPECT_EQ(menu.captions[MenuEntry::CmdIconize], "Afficher");
    Frm().TrayToggleEvent(1);
    EXPECT_FALSE(tray.inTray);
    EXPECT_EQ(menu.captions[MenuEntry::CmdIconize], "Masquer");
}

TEST_F(MainWindowTest, IconRightButtonPopsUpTheMenuWhosePickRuns) {
    StartProgram();
    EXPECT_THAT(StepsOf([&] { Frm().TrayMenuEvent(1); }), IsEmpty());
    EXPECT_THAT(StepsOf([&] { Frm().TrayMenuEvent(4); }), IsEmpty());
    menu.onPopup = [&] { Frm().CmdQuitClick(); };
    EXPECT_THAT(StepsOf([&] { Frm().TrayMenuEvent(2); }), ElementsAre("popup", "quit"));
}

TEST_F(MainWindowTest, RestoreRequestedBringsBackOnlyAHiddenWindow) {
    StartProgram();
    EXPECT_THAT(StepsOf([&] { Frm().RestoreRequested(); }), IsEmpty());
    Frm().CmdIconizeClick();
    EXPECT_THAT(StepsOf([&] { Frm().RestoreRequested(); }),
                ElementsAre("menu CmdIconize Masquer", "LeaveTray", "show"));
}

TEST_F(MainWindowTest, ReleasingTheObjectInsideACommandIsSafe) {
    StartProgram();
    // The last holder lets go while the window's own command runs.
    menu.onPopup = [&] { Frm().FormUnload(); };
    Frm().TrayMenuEvent(2);
    EXPECT_TRUE(object.expired());
}

}  // namespace
}  // namespace velnix
