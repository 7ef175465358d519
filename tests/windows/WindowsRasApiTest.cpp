// The RAS adapter against the project's stand-in rasapi32.dll, which this suite finds beside
// itself and which Wine loads instead of its own (WINEDLLOVERRIDES, set by the suite's tests).
#include "platform/windows/ras/WindowsRasApi.h"

#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/Errors.h"
#include "engine/InternetTenaline.h"
#include "tests/windows/ScratchFolder.h"
#include "testsupport/EngineFixture.h"

namespace velnix::windows_platform {
namespace {

using ::testing::ElementsAre;

constexpr uint32_t kMonitorRoom = 257 * ras::kRasConnSize;  // what the monitor offers

class WindowsRasApiTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetEnvironmentVariableW(L"VELNIX_FAKE_RAS_STATE", folder_.Path(L"ras.txt").c_str());
    }
    void TearDown() override { SetEnvironmentVariableW(L"VELNIX_FAKE_RAS_STATE", nullptr); }

    void State(const std::string& lines) { folder_.Write(L"ras.txt", lines); }

    // The phone book as the connection object lists it.
    std::vector<std::string> ConnectionList() {
        testing::EngineFixture engine;
        TenalineServices services = engine.Services();
        services.ras = &ras_;
        return InternetTenaline::Create(services)->ConnectionList();
    }

    // The program's records for the active connections, in the room the monitor offers.
    std::vector<ras::RasConn> Connections() {
        std::vector<ras::RasConn> records(257);
        records[0].dwSize = ras::kRasConnSize;
        uint32_t room = kMonitorRoom;
        uint32_t count = 0;
        EXPECT_EQ(ras_.EnumConnections(records.data(), room, count), ras::kSuccess);
        records.resize(count);
        return records;
    }

    ScratchFolder folder_;
    WindowsRasApi ras_;
};

TEST_F(WindowsRasApiTest, EntriesArriveInUtf8InTheSystemsOrder) {
    State("entry\tNuméris Île-de-France\nentry\tFournisseur ADSL\nentry\tΩμέγα 𝄞\n");
    EXPECT_THAT(ConnectionList(),
                ElementsAre("Numéris Île-de-France", "Fournisseur ADSL", "Ωμέγα 𝄞"))
        << "an empty list: the stand-in rasapi32.dll was not loaded (WINEDLLOVERRIDES)";
}

TEST_F(WindowsRasApiTest, APhoneBookOfMoreThan256EntriesIsAnOutOfRangeFailure) {
    std::string lines;
    for (int i = 1; i <= 256; ++i) lines += "entry\tFournisseur " + std::to_string(i) + "\n";
    State(lines);
    EXPECT_EQ(ConnectionList().size(), 256u);
    State(lines + "entry\tFournisseur 257\n");
    EXPECT_THROW(ConnectionList(), OutOfRangeError);
}

TEST_F(WindowsRasApiTest, TwoLinksUpHaveTheirOwn32BitHandlesAndFigures) {
    // Two system handles that differ above the low 32 bits only.
    State(
        "link\t100000005\tNuméris\t1000\t200\t61000\n"
        "link\t200000005\tFournisseur ADSL\t4000000000\t5\t1500\n");
    const std::vector<ras::RasConn> records = Connections();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(std::string(records[0].szEntryName), "Numéris");
    EXPECT_EQ(std::string(records[1].szEntryName), "Fournisseur ADSL");
    EXPECT_EQ(std::string(records[1].szDeviceType), "pppoe");
    EXPECT_EQ(std::string(records[1].szDeviceName), "WAN Miniport (PPPOE)");
    EXPECT_NE(records[0].hrasconn, records[1].hrasconn);

    ras::RasStats stats{};
    stats.dwSize = ras::kRasStatsSize;
    ASSERT_EQ(ras_.GetConnectionStatistics(records[1].hrasconn, &stats), ras::kSuccess);
    EXPECT_EQ(stats.dwSize, ras::kRasStatsSize);
    EXPECT_EQ(stats.dwBytesRcved, 4000000000u);
    EXPECT_EQ(stats.dwBytesXmited, 5u);
    EXPECT_EQ(stats.dwConnectDuration, 1500u);
    ASSERT_EQ(ras_.GetConnectionStatistics(records[0].hrasconn, &stats), ras::kSuccess);
    EXPECT_EQ(stats.dwBytesRcved, 1000u);

    // The first link drops: its handle is unknown once a listing no longer holds it.
    State("link\t200000005\tFournisseur ADSL\t4000000100\t5\t2500\n");
    const std::vector<ras::RasConn> later = Connections();
    ASSERT_EQ(later.size(), 1u);
    EXPECT_EQ(later[0].hrasconn, records[1].hrasconn);
    EXPECT_EQ(ras_.GetConnectionStatistics(records[0].hrasconn, &stats), ras::kErrorInvalidHandle);
}

TEST_F(WindowsRasApiTest, ARoomTooSmallGives603WithTheRoomAndCountNeeded) {
    State("link\t7ff000000001\tNuméris\t0\t0\t0\nlink\t7ff000000002\tADSL\t0\t0\t0\n");
    ras::RasConn record{};
    record.dwSize = ras::kRasConnSize;
    uint32_t room = ras::kRasConnSize;
    uint32_t count = 0;
    EXPECT_EQ(ras_.EnumConnections(&record, room, count), ras::kErrorBufferTooSmall);
    EXPECT_EQ(room, 2 * ras::kRasConnSize);
    EXPECT_EQ(count, 2u);
    EXPECT_EQ(record.szEntryName[0], '\0');
}

}  // namespace
}  // namespace velnix::windows_platform
