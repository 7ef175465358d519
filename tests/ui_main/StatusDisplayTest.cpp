// The display of the connection's state and figures, driven by the object's events and ticks.

#include "tests/ui_main/MainWindowTestBase.h"
#include "testsupport/RecordingEvents.h"

namespace velnix {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST_F(MainWindowTest, ConnectedStepsInOrder) {
    StartProgram();
    EXPECT_THAT(StepsOf([&] { Frm().Connected(); }),
                ElementsAre("caption Label5 Connexion établie depuis :", "visible lblTemps 1",
                            "picture Image2 Connected", "tooltip Image2 Connecté.",
                            "menu CmdConnect Se déconnecter", "caption CmdCon Se déconnecter",
                            "tip Velnix  : Connecté.", "icon Connected"));
}

TEST_F(MainWindowTest, DisconnectedStepsInOrderCaptionsBeforePicture) {
    StartProgram();
    EXPECT_THAT(StepsOf([&] { Frm().Disconnected(); }),
                ElementsAre("caption Label5 Non connecté", "visible lblTemps 0",
                            "menu CmdConnect Se connecter", "caption CmdCon Se connecter",
                            "picture Image2 Disconnected", "tooltip Image2 Non connecté",
                            "tip Velnix  : Déconnecté.", "icon Disconnected"));
}

TEST_F(MainWindowTest, AutoMaskHidesOnConnectedAndRestoresOnDisconnected) {
    SetAutoMask(true);
    StartProgram();
    auto connected = StepsOf([&] { Frm().Connected(); });
    EXPECT_THAT(std::vector(connected.end() - 3, connected.end()),
                ElementsAre("menu CmdIconize Afficher", "EnterTray", "hide"));
    Frm().Connected();  // told twice, stays hidden
    EXPECT_EQ(tray.enters, 2);
    EXPECT_FALSE(controls.shown);
    auto disconnected = StepsOf([&] { Frm().Disconnected(); });
    EXPECT_THAT(std::vector(disconnected.end() - 3, disconnected.end()),
                ElementsAre("menu CmdIconize Masquer", "LeaveTray", "show"));
    EXPECT_TRUE(controls.shown);
    EXPECT_FALSE(tray.inTray);
}

TEST_F(MainWindowTest, WithoutAutoMaskAHiddenWindowStaysHiddenWhenTheLinkDrops) {
    StartProgram();
    Frm().CmdIconizeClick();
    Frm().Disconnected();
    EXPECT_FALSE(controls.shown);
    EXPECT_TRUE(tray.inTray);
    EXPECT_EQ(tray.tip, "Velnix  : Déconnecté.");
}

TEST_F(MainWindowTest, UpdateStateWritesTheSixLabelsInOrderThenPlots) {
    StartProgram();
    EXPECT_THAT(
        StepsOf([&] { Frm().UpdateState("Mon FAI", 3723999, 123456789, 1023, 1024, 5); }),
        ElementsAre("caption lblNom Mon FAI", "caption lblTemps 01:02:03",
                    "caption lblVitesseD     1,00 Ko/s", "caption lblVitesseU     5 octets/s",
                    "caption lblOctetsEnvoyes    1 023 octets",
                    "caption lblOctetsRecus     117,74 Mo"));
    EXPECT_EQ(picGraphD.clears, 1);
    EXPECT_EQ(picGraphU.clears, 1);
    EXPECT_EQ(picGraphD.lines.size(), 64U);
}

TEST_F(MainWindowTest, DecimalSeparatorIsTheUsersOne) {
    const TenalineFrmParts parts{controls,    menu,       tray,    images,   picGraphD, picGraphU,
                                 application, messageBox, dialogs, settings, "."};
    TenalineFrm frm(parts);
    frm.UpdateState("", 0, 1536, 0, 0, 0);
    EXPECT_EQ(controls.captions[Control::lblOctetsRecus], "    1.50 Ko");
}

TEST_F(MainWindowTest, TicksFollowTheLinkUpDownAndRedial) {
    StartProgram();
    Frm().CmdConClick();  // not connected: dials
    EXPECT_THAT(launcher.started, ElementsAre(kDial));
    ras.Up(kEntry, 1000, 200, 5000);
    Frm().SurvConnTimer();
    EXPECT_EQ(controls.captions[Control::CmdCon], "Se déconnecter");
    EXPECT_EQ(menu.captions[MenuEntry::CmdConnect], "Se déconnecter");
    EXPECT_TRUE(controls.visible[Control::lblTemps]);
    EXPECT_EQ(controls.captions[Control::lblNom], kEntry);
    EXPECT_EQ(controls.captions[Control::lblTemps], "00:00:05");
    ras.Up(kEntry, 3048, 200, 6000);
    Frm().SurvConnTimer();
    EXPECT_EQ(controls.captions[Control::lblVitesseD], "    2,00 Ko/s");
    EXPECT_EQ(controls.captions[Control::lblOctetsRecus], "    2,98 Ko");

    launcher.started.clear();
    ras.DownAll();
    Frm().SurvConnTimer();
    EXPECT_EQ(controls.captions[Control::Label5], "Non connecté");
    EXPECT_FALSE(controls.visible[Control::lblTemps]);
    EXPECT_EQ(tray.icon, "Disconnected");
    EXPECT_THAT(launcher.started, ElementsAre(kDial));  // automatic redial
}

TEST_F(MainWindowTest, UpdateWhileNotConnectedRewritesTheHiddenDuration) {
    StartProgram();
    Frm().SurvConnTimer();
    EXPECT_EQ(controls.captions[Control::lblTemps], "00:00:00");
    EXPECT_FALSE(controls.visible[Control::lblTemps]);
    EXPECT_EQ(controls.captions[Control::lblVitesseU], "    0 octets/s");
}

TEST_F(MainWindowTest, TickIgnoresFailures) {
    StartProgram();
    ras.throwOnEnumConnections = true;
    images.keys.clear();
    EXPECT_NO_THROW(Frm().SurvConnTimer());
    EXPECT_THAT(messageBox.shown, IsEmpty());
    ras.throwOnEnumConnections = false;
    Frm().SurvConnTimer();
    EXPECT_EQ(picGraphD.clears, 2);
}

TEST_F(MainWindowTest, FailingHandlerStopsAtTheFailingStep) {
    StartProgram();
    images.keys.clear();
    EXPECT_THROW(Frm().Connected(), VelnixError);
    EXPECT_EQ(controls.captions[Control::Label5], "Connexion établie depuis :");
    EXPECT_TRUE(controls.visible[Control::lblTemps]);
    EXPECT_EQ(controls.captions[Control::CmdCon], "Se connecter");
}

// Another receiver closes the window when the link comes up, in the middle of the tick's run: the
// window's reference, the last one, goes, and the run goes on to its end.
TEST_F(MainWindowTest, AHandlerMayReleaseTheLastReferenceDuringTheTick) {
    struct ClosingReceiver : testing::RecordingEvents {
        explicit ClosingReceiver(TenalineFrm& window) : frm(window) {}
        void Connected() override { frm.FormUnload(); }
        TenalineFrm& frm;
    };
    StartProgram();
    ClosingReceiver closer(Frm());
    Frm().mIAC->Advise(&closer);
    Frm().CmdConClick();
    ras.Up(kEntry, 1000, 200, 5000);
    Frm().SurvConnTimer();
    EXPECT_EQ(tray.tip, "Velnix  : Connecté.");
    EXPECT_THAT(closer.log, ElementsAre("UpdateState"));
    EXPECT_EQ(closer.states.back().lOctetsRecus, 1000);
    EXPECT_TRUE(object.expired());
}

TEST_F(MainWindowTest, ALinkTheObjectDidNotDialKeepsTheConnectedDisplayWhenItDrops) {
    ras.Up(kEntry);
    StartProgram();
    ras.DownAll();
    Frm().SurvConnTimer();
    EXPECT_EQ(controls.captions[Control::CmdCon], "Se déconnecter");
    EXPECT_EQ(tray.tip, "Velnix  : Connecté.");
}

}  // namespace
}  // namespace velnix
