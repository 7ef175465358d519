#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/InternetTenaline.h"
#include "testsupport/EngineFixture.h"

namespace velnix {
namespace {

using ::testing::ElementsAre;
using State = testing::RecordingEvents::State;

constexpr const char* kDial = R"(rasdial.exe "Mon FAI" "jean" "secret")";
constexpr const char* kHangUp = R"(rasdial.exe "Mon FAI" /disconnect)";

class ConnectionMonitorTest : public ::testing::Test, protected testing::EngineFixture {
  protected:
    void SetUp() override {
        settings.Set("Quorath_Software", "Tenaline", "ConnectionName", "Mon FAI");
        settings.Set("Quorath_Software", "Tenaline", "Login", "jean");
        settings.Set("Quorath_Software", "Tenaline", "PassWord", "secret");
    }
    // Starts the object and forgets what its start-up recorded.
    void StartObject() {
        object = Start();
        Forget();
    }
    void Forget() {
        window->log.clear();
        window->states.clear();
        launcher.started.clear();
    }
    // One run, returning the events it raised.
    std::vector<std::string> Poll() {
        window->log.clear();
        object->PollConnection();
        return window->log;
    }
    State LastState() const { return window->states.back(); }

    std::shared_ptr<InternetTenaline> object;
};

TEST_F(ConnectionMonitorTest, FirstRunWithNothingStoredDialsAndReportsZeros) {
    settings = {};
    StartObject();
    EXPECT_THAT(Poll(), ElementsAre("UpdateState"));
    EXPECT_THAT(launcher.started, ElementsAre(R"(rasdial.exe "" "" "")"));
    EXPECT_EQ(LastState(), (State{"", 0, 0, 0, 0, 0}));
}

TEST_F(ConnectionMonitorTest, NoRedialWhenAutomaticRedialIsOff) {
    settings.Set("Quorath_Software", "Tenaline", "AutoReconnect", "False");
    StartObject();
    EXPECT_THAT(Poll(), ElementsAre("UpdateState"));
    EXPECT_TRUE(launcher.started.empty());
    EXPECT_EQ(LastState(), (State{"Mon FAI", 0, 0, 0, 0, 0}));
}

TEST_F(ConnectionMonitorTest, ACorruptRedialOptionStartsNoDial) {
    settings.Set("Quorath_Software", "Tenaline", "AutoReconnect", "n'importe quoi");
    StartObject();
    EXPECT_THAT(Poll(), ElementsAre("UpdateState"));
    EXPECT_TRUE(launcher.started.empty());
}

TEST_F(ConnectionMonitorTest, AFailingDialIsRetriedTwicePerRunThenConnects) {
    StartObject();
    Poll();  // step 2 dials
    EXPECT_THAT(launcher.started, ElementsAre(kDial));
    launcher.started.clear();
    Poll();  // rule 1 and step 2
    EXPECT_THAT(launcher.started, ElementsAre(kDial, kDial));

    launcher.started.clear();
    ras.Up("Mon FAI", 5000, 700, 3000);
    EXPECT_THAT(Poll(), ElementsAre("Connected", "UpdateState"));
    EXPECT_TRUE(launcher.started.empty());
    EXPECT_EQ(LastState(), (State{"Mon FAI", 3000, 5000, 700, 0, 0})) << "baseline re-armed";

    ras.Up("Mon FAI", 8096, 1700, 4000);
    EXPECT_THAT(Poll(), ElementsAre("UpdateState"));
    EXPECT_EQ(LastState(), (State{"Mon FAI", 4000, 8096, 1700, 3096, 1000}));
}

TEST_F(ConnectionMonitorTest, ADroppedLinkIsReportedAndRedialledInTheSameRun) {
    StartObject();
    object->Connect();
    ras.Up("Mon FAI", 4000, 1000);
    Poll();
    Forget();
    ras.DownAll();
    EXPECT_THAT(Poll(), ElementsAre("Disconnected", "UpdateState"));
    EXPECT_THAT(launcher.started, ElementsAre(kDial));
    EXPECT_EQ(LastState(), (State{"Mon FAI", 0, 0, 0, -4000, -1000}));
    EXPECT_THAT(Poll(), ElementsAre("UpdateState"));
    EXPECT_EQ(LastState(), (State{"Mon FAI", 0, 0, 0, 0, 0}));
}

TEST_F(ConnectionMonitorTest, AfterAHangUpNoRedialUntilConnectIsCalled) {
    StartObject();
    object->Connect();
    ras.Up("Mon FAI");
    Poll();
    object->Disconnect();
    Forget();
    EXPECT_THAT(Poll(), ElementsAre("UpdateState")) << "still listed: rule 4";
    EXPECT_THAT(launcher.started, ElementsAre(kHangUp));

    launcher.started.clear();
    ras.DownAll();
    EXPECT_THAT(Poll(), ElementsAre("Disconnected", "UpdateState"));
    EXPECT_THAT(Poll(), ElementsAre("UpdateState"));
    EXPECT_TRUE(launcher.started.empty()) << "the user hung up";

    object->Connect();
    launcher.started.clear();
    Poll();
    EXPECT_THAT(launcher.started, ElementsAre(kDial, kDial));
}

TEST_F(ConnectionMonitorTest, DisconnectWithNothingUpStopsTheRedial) {
    settings.Set("Quorath_Software", "Tenaline", "AutoReconnect", "False");
    StartObject();
    object->Disconnect();
    settings.Set("Quorath_Software", "Tenaline", "AutoReconnect", "True");
    Forget();
    EXPECT_THAT(Poll(), ElementsAre("Disconnected", "UpdateState"));
    EXPECT_TRUE(launcher.started.empty());
    Poll();
    EXPECT_TRUE(launcher.started.empty());
}

TEST_F(ConnectionMonitorTest, APendingDialWinsOverAPendingHangUp) {
    settings.Set("Quorath_Software", "Tenaline", "AutoReconnect", "False");
    StartObject();
    object->Connect();
    object->Disconnect();
    Forget();
    Poll();
    EXPECT_THAT(launcher.started, ElementsAre(kDial)) << "rule 1 before rule 5";
    launcher.started.clear();
    ras.Up("Mon FAI");
    EXPECT_THAT(Poll(), ElementsAre("Connected", "UpdateState"));
    launcher.started.clear();
    Poll();
    EXPECT_THAT(launcher.started, ElementsAre(kHangUp)) << "then rule 4";
}

TEST_F(ConnectionMonitorTest, AConnectionAlreadyUpAtStartRaisesNoStateEvents) {
    ras.Up("Mon FAI", 2000, 300, 60000);
    StartObject();
    EXPECT_THAT(Poll(), ElementsAre("UpdateState"));
    EXPECT_EQ(LastState(), (State{"Mon FAI", 60000, 2000, 300, 0, 0}));
    ras.DownAll();
    EXPECT_THAT(Poll(), ElementsAre("UpdateState")) << "not dialled here: no Disconnected";
    EXPECT_THAT(launcher.started, ElementsAre(kDial));
}

TEST_F(ConnectionMonitorTest, ConnectWhileUpRaisesConnectedAgainAndReArmsTheBaseline) {
    ras.Up("Mon FAI", 1000, 100);
    StartObject();
    Poll();
    ras.Up("Mon FAI", 3000, 200);
    object->Connect();
    EXPECT_THAT(Poll(), ElementsAre("Connected", "UpdateState"));
    EXPECT_EQ(LastState().lVitesseD, 0);
    EXPECT_EQ(LastState().lVitesseU, 0);
}

TEST_F(ConnectionMonitorTest, AnotherEntryUpCountsAsConnectedButReportsZeros) {
    StartObject();
    ras.Up("Autre", 99999, 99999, 99999);
    object->Connect();
    launcher.started.clear();
    EXPECT_THAT(Poll(), ElementsAre("Connected", "UpdateState"));
    EXPECT_TRUE(launcher.started.empty()) << "no automatic dial while a connection is up";
    EXPECT_EQ(LastState(), (State{"Mon FAI", 0, 0, 0, 0, 0}));
}

TEST_F(ConnectionMonitorTest, TwoConnectionsCountAsConnectedAndTheConfiguredOneIsSampled) {
    StartObject();
    object->Connect();
    ras.Up("Autre", 1, 1, 1);
    ras.Up("mon fai", 7000, 800, 5000);  // differs only in letter case
    launcher.started.clear();
    EXPECT_THAT(Poll(), ElementsAre("Connected", "UpdateState"));
    EXPECT_TRUE(launcher.started.empty()) << "no redial while online";
    EXPECT_EQ(LastState(), (State{"Mon FAI", 5000, 7000, 800, 0, 0}));
    EXPECT_THAT(Poll(), ElementsAre("UpdateState")) << "no Disconnected while two are up";
}

TEST_F(ConnectionMonitorTest, EveryListedRecordIsVisited) {
    ras.Up("Mon FAI", 10, 10, 10);
    ras.Up("MON FAI", 20, 20, 20);
    StartObject();
    Poll();
    EXPECT_EQ(ras.statisticsCalls, 2);
    EXPECT_EQ(LastState().lOctetsRecus, 20) << "the last match wins";
    EXPECT_EQ(ras.roomsOffered.back(), 105884u);
}

TEST_F(ConnectionMonitorTest, ACounterCrossingTheSignedLimitGivesANegativeFigureAndNoSpeed) {
    ras.Up("Mon FAI", 2147483000u, 10);
    StartObject();
    Poll();
    ras.Up("Mon FAI", 2147484000u, 20);
    Poll();
    EXPECT_EQ(LastState().lOctetsRecus, -2147483296);
    EXPECT_EQ(LastState().lVitesseD, 0) << "the subtraction overflows";
    EXPECT_EQ(LastState().lVitesseU, 10) << "the other speed is unaffected";
    ras.Up("Mon FAI", 2147485000u, 30);
    Poll();
    EXPECT_EQ(LastState().lVitesseD, 1000);
}

TEST_F(ConnectionMonitorTest, PlatformResultCodesLeaveTheFigures) {
    ras.Up("Mon FAI", 500, 50, 5).statsResult = ras::kErrorInvalidHandle;
    StartObject();
    Poll();
    EXPECT_EQ(LastState(), (State{"Mon FAI", 0, 0, 0, 0, 0}));
    ras.enumConnectionsResult = 623;
    Poll();
    EXPECT_EQ(LastState(), (State{"Mon FAI", 0, 0, 0, 0, 0}));
}

TEST_F(ConnectionMonitorTest, AFailingHandlerDoesNotKeepThePreviousSampleFromBeingStored) {
    ras.Up("Mon FAI", 100, 10);
    StartObject();
    window->failUpdateState = true;
    object->PollConnection();
    ras.Up("Mon FAI", 300, 40);
    object->PollConnection();
    EXPECT_EQ(LastState().lVitesseD, 200);
    EXPECT_EQ(LastState().lVitesseU, 30);
}

TEST_F(ConnectionMonitorTest, AFailingConnectedHandlerStillLetsTheRunGoOn) {
    StartObject();
    object->Connect();
    ras.Up("Mon FAI", 100, 10);
    window->failConnected = true;
    EXPECT_THAT(Poll(), ElementsAre("Connected", "UpdateState"));
    EXPECT_THAT(Poll(), ElementsAre("UpdateState")) << "the transition was made";
}

TEST_F(ConnectionMonitorTest, AMissingPlatformNeverEscapesTheRun) {
    StartObject();
    ras.throwOnEnumConnections = true;
    object->Connect();
    launcher.started.clear();
    EXPECT_NO_THROW(object->PollConnection());
    EXPECT_TRUE(launcher.started.empty()) << "a failed test counts as not holding";
    EXPECT_EQ(LastState(), (State{"Mon FAI", 0, 0, 0, 0, 0}));
}

TEST_F(ConnectionMonitorTest, NameAndConnectionOptionAreReadAnewEachRun) {
    ras.Up("Second", 42, 4, 1);
    StartObject();
    Poll();
    EXPECT_EQ(LastState().lOctetsRecus, 0);
    settings.Set("Quorath_Software", "Tenaline", "ConnectionName", "Second");
    Poll();
    EXPECT_EQ(LastState(), (State{"Second", 1, 42, 4, 42, 4}));
}

}  // namespace
}  // namespace velnix
