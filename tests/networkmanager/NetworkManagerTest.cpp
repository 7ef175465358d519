#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "platform/linux/networkmanager/NetworkManagerLinks.h"
#include "platform/linux/ras/LinuxRasApi.h"
#include "tests/linux/FixtureRoot.h"
#include "tests/linux/ProgramRun.h"
#include "tests/networkmanager/MockNetworkManager.h"

namespace velnix::linux_platform {
namespace {

using testing::DialerPath;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using testing::RunProgram;
using ::testing::StartsWith;

constexpr unsigned kActivating = 1;
constexpr unsigned kActivated = 2;
constexpr unsigned kDeactivated = 4;

struct Link {
    std::string entry;
    std::string device;
    uint32_t handle;
};

class NetworkManagerSource : public ::testing::Test {
  protected:
    // What the program enumerates once NetworkManager's signals so far have reached it
    // (`settled`), or at once.
    std::vector<std::string> Entries(bool settled = true) {
        if (settled) testing::DeliverSystemBusSignals();
        std::vector<ras::RasEntryName> records(16);
        records[0].dwSize = ras::kRasEntryNameSize;
        uint32_t room = 16 * ras::kRasEntryNameSize, count = 0;
        EXPECT_EQ(ras.EnumEntries(records.data(), room, count), ras::kSuccess);
        std::vector<std::string> names;
        for (uint32_t i = 0; i < count; ++i) names.emplace_back(records[i].szEntryName);
        return names;
    }

    std::vector<Link> Links() { return Links(ras); }

    static std::vector<Link> Links(LinuxRasApi& api) {
        testing::DeliverSystemBusSignals();
        std::vector<ras::RasConn> records(16);
        records[0].dwSize = ras::kRasConnSize;
        uint32_t room = 16 * ras::kRasConnSize, count = 0;
        EXPECT_EQ(api.EnumConnections(records.data(), room, count), ras::kSuccess);
        std::vector<Link> links;
        for (uint32_t i = 0; i < count; ++i) {
            EXPECT_STREQ(records[i].szDeviceType, "PPP");
            links.push_back({records[i].szEntryName, records[i].szDeviceName, records[i].hrasconn});
        }
        return links;
    }

    // Dials `entry` with the dialer and gives the new active connection the modem.
    QString Dial(const std::string& entry) {
        const testing::ProgramRun run = RunProgram({DialerPath(), entry});
        EXPECT_EQ(run.status, 0) << run.err;
        const QStringList actives = mock.ActiveConnections();
        EXPECT_EQ(actives.size(), 1);
        if (actives.size() != 1) return {};
        mock.AttachDevice(actives[0], modem);
        return actives[0];
    }

    testing::FixtureRoot root;
    testing::MockNetworkManager mock;
    // No wait between views: each change below is seen once its signals have been delivered.
    NetworkManagerLinks manager{std::chrono::milliseconds(0)};
    LinuxRasApi ras{&manager};
    const QString modem = mock.AddDevice(QStringLiteral("modem"), QStringLiteral("ppp0"));
};

TEST_F(NetworkManagerSource, PhoneBookAddsDialUpConnectionsToPeersUntilNetworkManagerLeaves) {
    root.AddPeer("Bureau");
    root.AddPeer("ADSL Maison");
    mock.AddConnection("adsl maison", "pppoe");
    mock.AddConnection("Clé 3G", "gsm");
    mock.AddConnection("CDMA", "cdma");
    mock.AddConnection("Téléphone", "bluetooth", {{"bluetooth", {{"type", "dun"}}}, {"gsm", {}}});
    mock.AddConnection("Réseau perso", "bluetooth", {{"bluetooth", {{"type", "panu"}}}});
    mock.AddConnection("Filaire", "802-3-ethernet");
    EXPECT_THAT(Entries(), ElementsAre("ADSL Maison", "Bureau", "CDMA", "Clé 3G", "Téléphone"));

    mock.Stop();
    EXPECT_THAT(Entries(), ElementsAre("ADSL Maison", "Bureau"));
    const testing::ProgramRun run = RunProgram({DialerPath(), "Clé 3G"});
    EXPECT_EQ(run.status, 3);
    EXPECT_THAT(run.err, HasSubstr("entrée inconnue"));
}

TEST_F(NetworkManagerSource, DialerActivatesTheConnectionBeforeAPeerOfTheSameNameAndHangsItUp) {
    root.AddPeer("Clé 3G");
    const QString connection = mock.AddConnection("Clé 3G", "gsm");
    root.AddInterface("ppp0", true, (uint64_t{1} << 32) + 5, 7);
    Dial("Clé 3G");

    const std::vector<Link> links = Links();
    ASSERT_EQ(links.size(), 1u);
    EXPECT_EQ(links[0].entry, "Clé 3G");
    EXPECT_EQ(links[0].device, "ppp0");
    ras::RasStats stats{};
    stats.dwSize = ras::kRasStatsSize;
    ASSERT_EQ(ras.GetConnectionStatistics(links[0].handle, &stats), ras::kSuccess);
    EXPECT_EQ(stats.dwBytesRcved, 5u);
    EXPECT_EQ(stats.dwBytesXmited, 7u);
    EXPECT_EQ(RunProgram({DialerPath()}).out, "Clé 3G\n");

    const testing::ProgramRun again = RunProgram({DialerPath(), "clé 3g"});
    EXPECT_EQ(again.status, 0);
    EXPECT_THAT(again.out, HasSubstr("déjà établie"));
    EXPECT_EQ(mock.ActiveConnections().size(), 1);

    mock.Rename(connection, "Clé 4G");
    ASSERT_EQ(Links().size(), 1u);
    EXPECT_EQ(Links()[0].entry, "Clé 4G");

    EXPECT_EQ(RunProgram({DialerPath(), "Clé 4G", "/disconnect"}).status, 0);
    EXPECT_THAT(mock.ActiveConnections(), IsEmpty());
    EXPECT_THAT(Links(), IsEmpty());
    EXPECT_EQ(ras.GetConnectionStatistics(links[0].handle, &stats), ras::kErrorInvalidHandle);
}

TEST_F(NetworkManagerSource, OnlyAnActivatedConnectionIsALinkAndNoneOnceNetworkManagerLeaves) {
    mock.AddConnection("ADSL", "pppoe");
    root.AddInterface("ppp0", true, 0, 0);
    const QString active = Dial("ADSL");
    for (const unsigned state : {kActivating, kActivated, kDeactivated, kActivated}) {
        mock.SetActiveState(active, state);
        EXPECT_EQ(Links().size(), state == kActivated ? 1u : 0u) << "state " << state;
    }
    mock.Stop();
    EXPECT_THAT(Links(), IsEmpty());
}

TEST_F(NetworkManagerSource, NothingIsAskedOfAnAbsentNetworkManagerUntilTheBusTellsOfItsReturn) {
    mock.Stop();
    EXPECT_THAT(Entries(), IsEmpty());
    testing::MockNetworkManager back;
    back.AddConnection("ADSL", "pppoe");
    EXPECT_THAT(Entries(false), IsEmpty());
    EXPECT_THAT(Entries(), ElementsAre("ADSL"));
}

TEST_F(NetworkManagerSource, EnumerationsInQuickSuccessionShareOneViewOfNetworkManager) {
    NetworkManagerLinks shared;
    LinuxRasApi sharedRas{&shared};
    mock.AddConnection("ADSL", "pppoe");
    root.AddInterface("ppp0", true, 0, 0);
    const QString active = Dial("ADSL");
    ASSERT_EQ(Links(sharedRas).size(), 1u);
    mock.SetActiveState(active, kDeactivated);
    EXPECT_EQ(Links(sharedRas).size(), 1u);
    std::this_thread::sleep_for(kManagerViewLifetime);
    EXPECT_THAT(Links(sharedRas), IsEmpty());
}

TEST_F(NetworkManagerSource, DialerHandsLoginAndPasswordToNetworkManagerOverTheBus) {
    const QString connection = mock.AddConnection("ADSL", "pppoe");
    const std::string password = R"(mot "de" passe\ é#1)";
    EXPECT_EQ(RunProgram({DialerPath(), "ADSL", "jean", password}).status, 0);
    const QVariantMap pppoe = mock.SettingsOf(connection).value("pppoe");
    EXPECT_EQ(pppoe.value("username").toString().toStdString(), "jean");
    EXPECT_EQ(pppoe.value("password").toString().toStdString(), password);
    EXPECT_EQ(mock.ActiveConnections().size(), 1);
}

TEST_F(NetworkManagerSource, RefusalsAreOneLineMessagesWithTheDialersStatuses) {
    mock.AddConnection("ADSL", "pppoe");
    const struct {
        const char* error;
        int status;
    } cases[] = {{"org.freedesktop.NetworkManager.PermissionDenied", 4},
                 {"org.freedesktop.NetworkManager.UnknownConnection", 6}};
    for (const auto& refusal : cases) {
        mock.RefuseActivation(refusal.error);
        const testing::ProgramRun run = RunProgram({DialerPath(), "ADSL"});
        EXPECT_EQ(run.status, refusal.status) << refusal.error;
        EXPECT_THAT(run.err, StartsWith("rasdial : NetworkManager n'a pas pu établir « ADSL » : "));
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
}

}  // namespace
}  // namespace velnix::linux_platform
