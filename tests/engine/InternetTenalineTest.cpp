#include "engine/InternetTenaline.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/Errors.h"
#include "engine/MainTenaline.h"
#include "testsupport/EngineFixture.h"

namespace velnix {
namespace {

using ::testing::ElementsAre;

class InternetTenalineTest : public ::testing::Test, protected testing::EngineFixture {};

TEST_F(InternetTenalineTest, InitialisationCreatesShowsThenBindsTheWindow) {
    ras.Up("Autre");
    auto object = Start();
    EXPECT_THAT(journal, ElementsAre("create window", "Show", "BindTo connected"));
    EXPECT_EQ(window->mIAC, object);
    EXPECT_EQ(object->Window(), window);
    EXPECT_TRUE(launcher.started.empty()) << "nothing is dialled at start";
}

TEST_F(InternetTenalineTest, StartProcedureLeavesTheObjectToItsWindow) {
    std::weak_ptr<InternetTenaline> published;
    MainTenaline(Services(), [&](const std::shared_ptr<InternetTenaline>& object) {
        published = object;
        journal.push_back("publish");
    });
    EXPECT_THAT(journal, ElementsAre("create window", "Show", "BindTo not connected", "publish"));
    ASSERT_TRUE(window && window->mIAC);
    EXPECT_EQ(published.lock(), window->mIAC);
    EXPECT_EQ(window->mIAC.use_count(), 1) << "the window is the only holder";
    std::weak_ptr<InternetTenaline> object = window->mIAC;
    window->Unload();
    EXPECT_TRUE(object.expired()) << "closing the window releases the object";
}

TEST_F(InternetTenalineTest, OptionsAreReadAndWrittenInTheStoreOnEveryAccess) {
    auto object = Start();
    EXPECT_TRUE(object->Tenaline());
    object->Tenaline(false);
    EXPECT_EQ(settings.Get("Quorath_Software", "Tenaline", "AutoReconnect"), "False");
    EXPECT_FALSE(object->Tenaline());
    object->Tenaline(true);
    EXPECT_TRUE(object->Tenaline());

    object->Login("jean");
    object->PassWord(" a, b ");
    object->Connection("Mon FAI");
    EXPECT_EQ(object->Login(), "jean");
    EXPECT_EQ(object->PassWord(), " a, b ");
    EXPECT_EQ(object->Connection(), "Mon FAI");

    settings.Set("Quorath_Software", "Tenaline", "ConnectionName", "changé ailleurs");
    EXPECT_EQ(object->Connection(), "changé ailleurs") << "no option is cached";
    settings.Set("Quorath_Software", "Tenaline", "AutoReconnect", "0");
    EXPECT_FALSE(object->Tenaline());
    settings.Set("Quorath_Software", "Tenaline", "AutoReconnect", "oui");
    EXPECT_THROW(object->Tenaline(), TypeMismatchError);
}

TEST_F(InternetTenalineTest, SetterFailuresReachTheCaller) {
    auto object = Start();
    settings.failWrites = true;
    EXPECT_THROW(object->Login("x"), SettingsError);
    EXPECT_THROW(object->Tenaline(true), SettingsError);
}

TEST_F(InternetTenalineTest, ConnectAndDisconnectStartTheDialer) {
    auto object = Start();
    object->Connect();
    object->Connection("Mon FAI");
    object->Login("jean");
    object->PassWord(R"(p"ss\)");
    object->Connect();
    object->Disconnect();
    EXPECT_THAT(launcher.started,
                ElementsAre(R"(rasdial.exe "" "" "")", R"(rasdial.exe "Mon FAI" "jean" "p\"ss\\")",
                            R"(rasdial.exe "Mon FAI" /disconnect)"));
}

TEST_F(InternetTenalineTest, AFailedStartReachesTheCallerWithTheRequestPending) {
    auto object = Start();
    launcher.fail = true;
    EXPECT_THROW(object->Connect(), ProcessStartError);
    launcher.fail = false;
    object->PollConnection();  // rule 1 re-issues the dial, step 2 dials too
    object->Tenaline(false);
    launcher.started.clear();
    object->PollConnection();
    EXPECT_EQ(launcher.started.size(), 1u) << "the dial stays pending";
}

TEST_F(InternetTenalineTest, ConnectedCountsAnyNumberOfConnections) {
    auto object = Start();
    EXPECT_FALSE(object->Connected());
    ras.Up("Autre");
    EXPECT_TRUE(object->Connected()) << "any single connection counts";
    ras.Up("Mon FAI");
    EXPECT_TRUE(object->Connected()) << "two connections are connected too";
    ras.enumConnectionsResult = 623;
    EXPECT_FALSE(object->Connected()) << "any other platform result reads false";
    EXPECT_EQ(ras.roomsOffered.back(), 412u) << "room for one record";
}

TEST_F(InternetTenalineTest, ConnectionListIsAFreshListInThePlatformOrder) {
    auto object = Start();
    EXPECT_TRUE(object->ConnectionList().empty());
    ras.entries = {"Zeta", "Alpha", "Alpha", "Fournisseur été"};
    auto list = object->ConnectionList();
    EXPECT_THAT(list, ElementsAre("Zeta", "Alpha", "Alpha", "Fournisseur été"));
    list.push_back("x");
    EXPECT_EQ(object->ConnectionList().size(), 4u);

    ras.entries.assign(256, "Entrée");
    EXPECT_EQ(object->ConnectionList().size(), 256u) << "room for 256 entries";
    ras.entries.assign(300, "Entrée");
    EXPECT_THROW(object->ConnectionList(), OutOfRangeError) << "beyond the 257 records";
    ras.entries.assign(257, "Entrée");
    EXPECT_THROW(object->ConnectionList(), OutOfRangeError)
        << "257 entries do not fit the room either: no list of blank names";
}

}  // namespace
}  // namespace velnix
