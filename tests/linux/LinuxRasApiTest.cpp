#include "platform/linux/ras/LinuxRasApi.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "common/Errors.h"
#include "common/Int32.h"
#include "platform/linux/ras/PppLinks.h"
#include "tests/linux/FixtureRoot.h"
#include "tests/linux/Unprivileged.h"
#include "testsupport/EngineFixture.h"

namespace velnix::linux_platform {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using testing::FixtureRoot;

std::vector<std::string> Entries(LinuxRasApi& ras, uint32_t* result = nullptr) {
    std::vector<ras::RasEntryName> records(512);
    records[0].dwSize = ras::kRasEntryNameSize;
    uint32_t room = static_cast<uint32_t>(records.size()) * ras::kRasEntryNameSize;
    uint32_t count = 99;
    const uint32_t code = ras.EnumEntries(records.data(), room, count);
    if (result != nullptr) *result = code;
    std::vector<std::string> names;
    for (uint32_t i = 0; code == ras::kSuccess && i < count; ++i) {
        EXPECT_EQ(records[i].dwSize, ras::kRasEntryNameSize);
        names.push_back(ras.TextFromSystemCodePage(records[i].szEntryName, ras::kEntryNameRoom));
    }
    if (code != ras::kSuccess) {
        EXPECT_EQ(count, 0u);
    }
    return names;
}

struct Listed {
    std::string entry;
    uint32_t handle;
    std::string device;
    bool operator==(const Listed&) const = default;
};

std::vector<Listed> Connections(LinuxRasApi& ras) {
    std::vector<ras::RasConn> records(257);
    records[0].dwSize = ras::kRasConnSize;
    uint32_t room = 257 * ras::kRasConnSize;
    uint32_t count = 0;
    EXPECT_EQ(ras.EnumConnections(records.data(), room, count), ras::kSuccess);
    std::vector<Listed> listed;
    for (uint32_t i = 0; i < count; ++i) {
        EXPECT_EQ(records[i].dwSize, ras::kRasConnSize);
        EXPECT_STREQ(records[i].szDeviceType, "PPP");
        listed.push_back({records[i].szEntryName, records[i].hrasconn, records[i].szDeviceName});
    }
    return listed;
}

ras::RasStats Statistics(LinuxRasApi& ras, uint32_t handle, uint32_t expectedResult = 0) {
    ras::RasStats stats{};
    stats.dwSize = ras::kRasStatsSize;
    EXPECT_EQ(ras.GetConnectionStatistics(handle, &stats), expectedResult);
    return stats;
}

TEST(LinuxPhoneBook, ListsPeerFilesByNameLeavingOutBackupsAutosavesDotFilesAndFolders) {
    FixtureRoot root;
    for (const char* name :
         {"zeta", "Alpha", "beta", "beta~", "beta.bak", "Maj.BAK", "#beta#", "beta.dpkg-old",
          "beta.dpkg-dist", "beta.dpkg-new", "beta.ucf-old", ".hidden"}) {
        root.AddPeer(name);
    }
    fs::create_directories(root.Path("/etc/ppp/peers/dossier"));
    fs::create_symlink("zeta", root.Path("/etc/ppp/peers/lien"));
    LinuxRasApi ras;
    EXPECT_THAT(Entries(ras), ElementsAre("Alpha", "beta", "lien", "zeta"));
}

TEST(LinuxPhoneBook, NamesWithSpacesAndUtf8BytesArePassedOnIntact) {
    FixtureRoot root;
    root.AddPeer("Mon FAI préféré");
    root.AddPeer("  deux  blancs ");
    root.AddPeer("Numéris \xE2\x82\xAC");
    LinuxRasApi ras;
    EXPECT_THAT(Entries(ras),
                ElementsAre("  deux  blancs ", "Mon FAI préféré", "Numéris \xE2\x82\xAC"));
}

TEST(LinuxPhoneBook, MissingFolderIsAnEmptyPhoneBookAndUnreadableOneToo) {
    FixtureRoot root;
    LinuxRasApi ras;
    uint32_t result = 99;
    EXPECT_TRUE(Entries(ras, &result).empty());
    EXPECT_EQ(result, ras::kSuccess);

    root.AddPeer("secret");
    fs::permissions(root.Path("/"), fs::perms::all);
    fs::permissions(root.Path("/etc/ppp/peers"), fs::perms::none);
    const int status = testing::RunUnprivileged([] {
        LinuxRasApi unprivileged;
        uint32_t code = 0;
        const bool empty = Entries(unprivileged, &code).empty();
        return empty && code == ras::kErrorCannotOpenPhonebook ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
}

TEST(LinuxPhoneBook, MoreThan256EntriesFollowTheRoomRules) {
    FixtureRoot root;
    for (int i = 0; i < 300; ++i) root.AddPeer("entrée " + std::to_string(1000 + i));
    LinuxRasApi ras;

    std::vector<ras::RasEntryName> records(257);
    records[0].dwSize = ras::kRasEntryNameSize;
    uint32_t room = 256 * ras::kRasEntryNameSize;
    uint32_t count = 0;
    EXPECT_EQ(ras.EnumEntries(records.data(), room, count), ras::kErrorBufferTooSmall);
    EXPECT_EQ(room, 300 * ras::kRasEntryNameSize);
    EXPECT_EQ(count, 300u);
    EXPECT_EQ(records[0].szEntryName[0], '\0');  // nothing written

    EXPECT_EQ(Entries(ras).size(), 300u);

    // The connection object offers room for 256: a longer phone book is its out-of-range error.
    velnix::testing::EngineFixture fixture;
    TenalineServices services = fixture.Services();
    services.ras = &ras;
    const auto object = InternetTenaline::Create(services);
    EXPECT_THROW(object->ConnectionList(), OutOfRangeError);
    for (int i = 256; i < 300; ++i) {
        fs::remove(root.Path("/etc/ppp/peers/entrée " + std::to_string(1000 + i)));
    }
    const std::vector<std::string> names = object->ConnectionList();
    ASSERT_EQ(names.size(), 256u);
    EXPECT_EQ(names.back(), "entrée 1255");
}

TEST(LinuxRasApi, WrongSizeFieldsGiveInvalidSizeAndWriteNothing) {
    FixtureRoot root;
    root.AddPeer("fai");
    root.AddLink("ppp0", 4242, "fai");
    LinuxRasApi ras;
    ras::RasEntryName entry{};
    entry.dwSize = 260;
    uint32_t room = sizeof entry;
    uint32_t count = 7;
    EXPECT_EQ(ras.EnumEntries(&entry, room, count), ras::kErrorInvalidSize);
    EXPECT_EQ(count, 7u);
    ras::RasConn connection{};
    connection.dwSize = 0;
    room = sizeof connection;
    EXPECT_EQ(ras.EnumConnections(&connection, room, count), ras::kErrorInvalidSize);
    EXPECT_EQ(connection.hrasconn, 0u);
    ras::RasStats stats{};
    stats.dwSize = 64;
    EXPECT_EQ(ras.GetConnectionStatistics(4242, &stats), ras::kErrorInvalidSize);
    EXPECT_EQ(stats.dwBytesRcved, 0u);
}

TEST(LinuxConnections, UpLinksAreListedByInterfaceWithThePppdPidAsHandle) {
    FixtureRoot root;
    root.AddLink("ppp1", 5001, "Mon FAI préféré", true, 10, 20);
    root.AddLink("ppp0", 5000, "autre", true, 30, 40);
    LinuxRasApi ras;
    EXPECT_THAT(Connections(ras), ElementsAre(Listed{"autre", 5000, "ppp0"},
                                              Listed{"Mon FAI préféré", 5001, "ppp1"}));
    EXPECT_EQ(Statistics(ras, 5001).dwBytesRcved, 10u);
    EXPECT_EQ(Statistics(ras, 5000).dwBytesXmited, 40u);
    Statistics(ras, 5002, ras::kErrorInvalidHandle);
}

// Within its lifetime, one look at the links serves every enumeration and statistics call; the
// counters are read afresh on every call all the same.
TEST(LinuxConnections, OneLookServesItsLifetimeWhileCountersAreReadEveryTime) {
    FixtureRoot root;
    root.AddLink("ppp0", 5000, "fai", true, 10, 20);
    LinuxRasApi ras(nullptr, std::chrono::hours(1));
    EXPECT_THAT(Connections(ras), ElementsAre(Listed{"fai", 5000, "ppp0"}));
    root.AddLink("ppp1", 5001, "autre", true, 30, 40);
    root.Write("/sys/class/net/ppp0/statistics/rx_bytes", "11\n");
    EXPECT_THAT(Connections(ras), ElementsAre(Listed{"fai", 5000, "ppp0"}));
    EXPECT_EQ(Statistics(ras, 5000).dwBytesRcved, 11u);
    Statistics(ras, 5001, ras::kErrorInvalidHandle);
}

TEST(LinuxConnections, StalePidFilesDownInterfacesAndOtherProcessesAreNotConnections) {
    FixtureRoot root;
    root.AddLink("ppp0", 6000, "fai");
    root.Write("/run/ppp1.pid", "6001\n");  // stale: its process is gone
    root.AddInterface("ppp1", true, 1, 1);
    root.AddLink("ppp2", 6002, "lent", false);  // still negotiating
    root.Write("/run/ppp3.pid", "6003\n");      // a process without `call`
    root.AddProcess(6003, {"/usr/sbin/pppd", "file", "/etc/ppp/options.x"});
    root.AddInterface("ppp3", true, 1, 1);
    root.Write("/run/ppp4.pid", "pas un nombre\n");
    root.AddInterface("ppp4", true, 1, 1);
    root.Write("/run/ppp5.pid", "6005\n");  // pid file without an interface
    root.AddProcess(6005, {"pppd", "call", "sans interface"});
    root.AddInterface("eth0", true, 1, 1);  // no pid file
    root.Write("/run/sshd.pid", "6006\n");

    LinuxRasApi ras;
    EXPECT_THAT(Connections(ras), ElementsAre(Listed{"fai", 6000, "ppp0"}));
    for (const uint32_t handle : {6001u, 6002u, 6003u, 6005u, 6006u}) {
        Statistics(ras, handle, ras::kErrorInvalidHandle);
    }

    const std::vector<PppLink> links = ListPppLinks();  // what the dialer sees
    ASSERT_EQ(links.size(), 2u);
    EXPECT_EQ(links[1].entry, "lent");
    EXPECT_FALSE(links[1].up);

    root.Write("/sys/class/net/ppp0/flags", "0x1090\n");  // the link goes down
    EXPECT_TRUE(Connections(ras).empty());
    Statistics(ras, 6000, ras::kErrorInvalidHandle);
}

// Files unchanged for a while are taken at their stamps' word between listings: any change to
// a process, a pid file or the pid files' folder is still seen at the next listing.
TEST(LinuxConnections, ChangedProcessesPidFilesAndLinksAreSeenAtTheNextListing) {
    FixtureRoot root;
    root.AddLink("ppp0", 6100, "premier");
    root.AddLink("ppp1", 6101, "second");
    std::this_thread::sleep_for(std::chrono::milliseconds(1100));  // the files settle
    LinuxRasApi ras;
    EXPECT_THAT(Connections(ras),
                ElementsAre(Listed{"premier", 6100, "ppp0"}, Listed{"second", 6101, "ppp1"}));

    root.AddProcess(6100, {"pppd", "call", "autre"});  // its number taken by another pppd
    root.Write("/run/ppp1.pid", "6102\n");             // redialled in place
    root.AddProcess(6102, {"pppd", "call", "second"});
    root.AddLink("ppp2", 6103, "troisième");
    EXPECT_THAT(Connections(ras),
                ElementsAre(Listed{"autre", 6100, "ppp0"}, Listed{"second", 6102, "ppp1"},
                            Listed{"troisième", 6103, "ppp2"}));

    std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    EXPECT_EQ(Connections(ras).size(), 3u);
    fs::rename(root.Path("/run"), root.Path("/run.old"));  // /run made anew
    root.Write("/run/ppp2.pid", "6103\n");
    EXPECT_THAT(Connections(ras), ElementsAre(Listed{"troisième", 6103, "ppp2"}));
    fs::remove(root.Path("/run/ppp2.pid"));
    EXPECT_TRUE(Connections(ras).empty());
}

TEST(LinuxConnections, RoomForOneRecordWithTwoLinksReportsTheRoomNeededAndWritesNothing) {
    FixtureRoot root;
    root.AddLink("ppp0", 7000, "a");
    root.AddLink("ppp1", 7001, "b");
    LinuxRasApi ras;
    ras::RasConn record{};
    record.dwSize = ras::kRasConnSize;
    uint32_t room = ras::kRasConnSize;
    uint32_t count = 0;
    EXPECT_EQ(ras.EnumConnections(&record, room, count), ras::kErrorBufferTooSmall);
    EXPECT_EQ(room, 2 * ras::kRasConnSize);
    EXPECT_EQ(count, 2u);
    EXPECT_EQ(record.hrasconn, 0u);
}

TEST(LinuxStatistics, CountersAreTheLow32BitsOfTheSystemCounters) {
    FixtureRoot root;
    root.AddLink("ppp0", 8000, "fai", true, 3'000'000'000ull, (1ull << 32) + 5);
    root.AddLink("ppp1", 8001, "gros", true, (1ull << 40) + (1ull << 31), 2'147'483'647ull);
    LinuxRasApi ras;
    const ras::RasStats first = Statistics(ras, 8000);
    EXPECT_EQ(first.dwSize, ras::kRasStatsSize);
    EXPECT_EQ(BitsToInt32(first.dwBytesRcved), -1'294'967'296);
    EXPECT_EQ(first.dwBytesXmited, 5u);
    const ras::RasStats second = Statistics(ras, 8001);
    EXPECT_EQ(BitsToInt32(second.dwBytesRcved), INT32_MIN);
    EXPECT_EQ(BitsToInt32(second.dwBytesXmited), INT32_MAX);
}

TEST(LinuxStatistics, DurationRunsFromThePidFileTimeInItsLow32Bits) {
    FixtureRoot root;
    root.AddLink("ppp0", 9000, "fai");
    const auto now = fs::file_time_type::clock::now();
    fs::last_write_time(root.Path("/run/ppp0.pid"), now - std::chrono::seconds(90));
    LinuxRasApi ras;
    const uint32_t duration = Statistics(ras, 9000).dwConnectDuration;
    EXPECT_GE(duration, 90'000u);
    EXPECT_LT(duration, 150'000u);

    // 2^32 ms is about 49.7 days: the figure starts again from 0.
    fs::last_write_time(root.Path("/run/ppp0.pid"),
                        now - std::chrono::milliseconds((1ll << 32) + 60'000));
    const uint32_t wrapped = Statistics(ras, 9000).dwConnectDuration;
    EXPECT_GE(wrapped, 60'000u);
    EXPECT_LT(wrapped, 120'000u);

    fs::last_write_time(root.Path("/run/ppp0.pid"), now + std::chrono::hours(1));  // clock moved
    EXPECT_EQ(Statistics(ras, 9000).dwConnectDuration, 0u);
}

TEST(LinuxRoot, MissingOrUnreadableRootGivesEmptyListsWithoutFailing) {
    FixtureRoot root;
    root.AddPeer("fai");
    root.AddLink("ppp0", 9100, "fai");
    fs::permissions(root.Path("/"), fs::perms::none);
    const int status = testing::RunUnprivileged([] {
        LinuxRasApi ras;
        uint32_t code = 0;
        const bool noEntries = Entries(ras, &code).empty();
        ras::RasStats stats{};
        stats.dwSize = ras::kRasStatsSize;
        const bool ok = noEntries && code == ras::kErrorCannotOpenPhonebook &&
                        Connections(ras).empty() &&
                        ras.GetConnectionStatistics(9100, &stats) == ras::kErrorInvalidHandle;
        return ok ? 0 : 1;
    });
    EXPECT_EQ(status, 0);

    setenv("VELNIX_ROOT", (root.Path("/") / "absente").c_str(), 1);
    LinuxRasApi ras;
    EXPECT_TRUE(Entries(ras).empty());
    EXPECT_TRUE(Connections(ras).empty());
}

TEST(LinuxMonitor, TwoLinksOneOfThemConfiguredGiveTheConfiguredFiguresToUpdateState) {
    FixtureRoot root;
    root.AddLink("ppp0", 9200, "Autre FAI", true, 111, 222);
    root.AddLink("ppp1", 9201, "Mon FAI", true, 5'000'000'000ull, 4096);
    LinuxRasApi ras;
    velnix::testing::EngineFixture fixture;
    fixture.settings.Set("Quorath_Software", "Tenaline", "ConnectionName", "mon fai");
    fixture.settings.Set("Quorath_Software", "Tenaline", "AutoReconnect", "False");
    TenalineServices services = fixture.Services();
    services.ras = &ras;
    const auto object = InternetTenaline::Create(services);
    object->PollConnection();
    ASSERT_EQ(fixture.window->states.size(), 1u);
    const auto& state = fixture.window->states.back();
    EXPECT_EQ(state.sNom, "mon fai");
    EXPECT_EQ(state.lOctetsRecus, 705'032'704);  // 5e9 modulo 2^32
    EXPECT_EQ(state.lOctetsEnvoyes, 4096);
    EXPECT_GE(state.lTemps, 0);
}

TEST(PppCommandLine, TheEntryIsTheWordAfterTheFirstCall) {
    using std::string_literals::operator""s;
    EXPECT_EQ(PeerOfCommandLine("pppd\0call\0Mon FAI\0user\0x\0"s), "Mon FAI");
    EXPECT_EQ(PeerOfCommandLine("/usr/sbin/pppd\0nodetach\0call\0a\0call\0b\0"s), "a");
    EXPECT_EQ(PeerOfCommandLine("call\0"s), std::nullopt);
    EXPECT_EQ(PeerOfCommandLine("pppd\0call\0"s), std::nullopt);
    EXPECT_EQ(PeerOfCommandLine("pppd\0call\0\0"s), std::nullopt);
    EXPECT_EQ(PeerOfCommandLine("pppd\0call\0"s + std::string(257, 'x')), std::nullopt);
    EXPECT_EQ(PeerOfCommandLine(""), std::nullopt);
}

// A pppd dials for a while before it has a unit, a pid file or an interface.
TEST(PppCommandLine, PppdProcessesAreFoundBeforeTheyHaveAUnit) {
    FixtureRoot root;
    root.AddProcess(300, {"/usr/sbin/pppd", "call", "Mon FAI"});
    root.AddProcess(41, {"pppd", "nodetach", "call", "MON fai", "user", "jean"});
    root.AddProcess(42, {"pon", "call", "Mon FAI"});  // not pppd itself
    root.AddProcess(43, {"pppd", "call", "Autre"});   // another entry
    root.AddProcess(44, {"/opt/pppd-old", "call", "Mon FAI"});
    using std::string_literals::operator""s;
    root.Write("/proc/self/cmdline", "pppd\0call\0Mon FAI\0"s);  // not a process number
    root.AddProcess(45, {"pppd", "call", "Mon FAI"});            // a simulation under another root
    root.Write("/proc/45/environ", "VELNIX_ROOT=/tmp/une-autre-simulation\0"s);
    EXPECT_THAT(PppdProcessesOf("mon fai"), ElementsAre(41u, 300u));
    EXPECT_TRUE(PppdProcessesOf("Personne").empty());
}

}  // namespace
}  // namespace velnix::linux_platform
