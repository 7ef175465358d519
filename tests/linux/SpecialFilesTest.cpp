// A FIFO, a device or a folder planted where the program or the dialer reads a system file.

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "config/Registry.h"
#include "config/RegistryKeys.h"
#include "platform/linux/ras/LinuxRasApi.h"
#include "platform/linux/ras/PppLinks.h"
#include "platform/linux/registry/LinuxRegistry.h"
#include "tests/linux/FakePppd.h"
#include "tests/linux/FixtureRoot.h"
#include "tests/linux/ProgramRun.h"

namespace velnix::linux_platform {
namespace {

namespace fs = std::filesystem;

constexpr uint32_t kPid = 5'000'000;  // above any pid the system gives: nothing to signal
const std::string kProcess = "/proc/" + std::to_string(kPid);

uint32_t CountEntries() {
    LinuxRasApi ras;
    std::vector<ras::RasEntryName> records(8);
    records[0].dwSize = ras::kRasEntryNameSize;
    uint32_t room = static_cast<uint32_t>(records.size()) * ras::kRasEntryNameSize;
    uint32_t count = 0;
    ras.EnumEntries(records.data(), room, count);
    return count;
}

uint32_t CountConnections() {
    LinuxRasApi ras;
    std::vector<ras::RasConn> records(8);
    records[0].dwSize = ras::kRasConnSize;
    uint32_t room = static_cast<uint32_t>(records.size()) * ras::kRasConnSize;
    uint32_t count = 0;
    ras.EnumConnections(records.data(), room, count);
    return count;
}

bool HasStatistics() {
    LinuxRasApi ras;
    ras::RasStats stats{};
    stats.dwSize = ras::kRasStatsSize;
    return ras.GetConnectionStatistics(kPid, &stats) == ras::kSuccess;
}

bool HasStartEntry() {
    LinuxRegistry registry;
    reg::HKey key = 0;
    if (registry.OpenKey(reg::kHKeyLocalMachine, startentry::kRunKey, reg::kKeyRead, key) != 0) {
        return false;
    }
    uint32_t type = 0;
    uint32_t size = 0;
    const bool found = registry.QueryValue(key, "Velnix", type, nullptr, size) == 0;
    registry.CloseKey(key);
    return found;
}

// Each file the program or the dialer reads, and how it shows once that file is taken as
// absent.
struct WatchedFile {
    std::string path;
    std::function<bool()> absent;
};

const std::vector<WatchedFile>& WatchedFiles() {
    static const std::vector<WatchedFile> files = {
        {"/etc/ppp/peers/fai", [] { return CountEntries() == 0; }},
        {"/run/ppp0.pid", [] { return CountConnections() == 0; }},
        {kProcess + "/cmdline", [] { return CountConnections() == 0; }},
        {kProcess + "/environ", [] { return PppdProcessesOf("fai").empty(); }},
        {kProcess + "/status", [] { return PppdProcessesOf("fai").empty(); }},
        {"/sys/class/net/ppp0/flags", [] { return CountConnections() == 0; }},
        {"/sys/class/net/ppp0/statistics/rx_bytes", [] { return !HasStatistics(); }},
        {"/etc/xdg/autostart/Velnix.desktop", [] { return !HasStartEntry(); }},
    };
    return files;
}

// What is planted in place of a file.
enum class Planted { Fifo, Device, Folder };

void Plant(const fs::path& path, Planted kind) {
    fs::remove(path);
    switch (kind) {
        case Planted::Fifo:
            ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
            break;
        case Planted::Device:
            fs::create_symlink("/dev/ptmx", path);  // a device whose reading waits for ever
            break;
        case Planted::Folder:
            fs::create_directory(path);
            break;
    }
}

// Nothing planted at a watched path holds the program's calls or the dialer: each file is taken
// as absent.
TEST(SpecialFiles, AtEveryWatchedPathAreTakenAsAbsentWithoutWaiting) {
    long slowestMs = 0;
    for (const WatchedFile& file : WatchedFiles()) {
        for (const Planted kind : {Planted::Fifo, Planted::Device, Planted::Folder}) {
            testing::FixtureRoot root;
            root.AddPeer("fai");
            root.AddLink("ppp0", kPid, "fai");
            root.Write("/etc/xdg/autostart/Velnix.desktop",
                       "[Desktop Entry]\nType=Application\nExec=/usr/bin/velnix\n");
            testing::FakePppd pppd(root, false);
            Plant(root.Path(file.path), kind);
            const std::string dialer = testing::DialerPath();
            long elapsedMs = 0;
            const int result = testing::RunGuarded(
                [&] {
                    // The program's reads, then each of the dialer's commands.
                    const bool absent = file.absent();
                    for (const std::vector<std::string>& command :
                         {std::vector<std::string>{dialer},
                          std::vector<std::string>{dialer, "fai", "/disconnect"},
                          std::vector<std::string>{dialer, "fai", "jean", "x"}}) {
                        if (testing::RunProgram(command).status < 0) return 2;
                    }
                    return absent ? 0 : 1;
                },
                10, elapsedMs);
            const std::string where = file.path + (kind == Planted::Fifo     ? " (FIFO)"
                                                   : kind == Planted::Device ? " (device)"
                                                                             : " (folder)");
            EXPECT_NE(result, -1) << where << " held the program or the dialer";
            EXPECT_NE(result, 1) << where << " was read";
            EXPECT_EQ(result, 0) << where;
            slowestMs = std::max(slowestMs, elapsedMs);
        }
    }
    std::cout << "Cas le plus lent : " << slowestMs << " ms" << std::endl;
}

}  // namespace
}  // namespace velnix::linux_platform
