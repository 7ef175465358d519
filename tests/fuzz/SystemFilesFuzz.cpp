// The system files pppd's links are read from (pid file, /proc command line and status, sysfs
// numbers) and the peers' names, whatever they hold: nothing crashes or blocks, and a link is
// listed only with the entry its command line calls.
#include <fuzzer/FuzzedDataProvider.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>

#include "platform/linux/ras/PppLinks.h"
#include "platform/linux/ras/PppPeers.h"
#include "tests/fuzz/FuzzCheck.h"

using namespace velnix::linux_platform;
namespace fs = std::filesystem;

namespace {

fs::path root;

void RemoveRoot() { fs::remove_all(root); }

enum class Kind { File, Missing, Fifo, Folder };

// What stands at `path`: a new file each time (a file truncated and written again is flushed to
// disk when closed), nothing, a FIFO that no one writes or a folder.
void Place(const fs::path& path, Kind kind, const std::string& content) {
    fs::create_directories(path.parent_path());
    fs::remove_all(path);
    switch (kind) {
        case Kind::File:
            std::ofstream(path, std::ios::binary) << content;
            break;
        case Kind::Missing:
            break;
        case Kind::Fifo:
            Require(mkfifo(path.c_str(), 0600) == 0, "a FIFO in the root");
            break;
        case Kind::Folder:
            fs::create_directory(path);
            break;
    }
}

}  // namespace

// Every path is read under a root of this run's own, in memory when the machine allows.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const fs::path parent =
        ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : fs::temp_directory_path();
    std::string folder = (parent / "velnix-fuzz-XXXXXX").string();
    Require(mkdtemp(folder.data()) != nullptr, "a private root folder");
    root = folder;
    setenv("VELNIX_ROOT", folder.c_str(), 1);
    std::atexit(RemoveRoot);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string pidFile = input.ConsumeRandomLengthString(32);
    const std::string flags = input.ConsumeRandomLengthString(32);
    const std::string received = input.ConsumeRandomLengthString(32);
    const std::string sent = input.ConsumeRandomLengthString(32);
    const std::string status = input.ConsumeRandomLengthString(256);
    const std::string peerName = input.ConsumeRandomLengthString(300);
    // Mostly files; the last bytes of an input choose (a zero byte, a file).
    Kind kinds[7] = {};
    for (Kind& kind : kinds) {
        kind = static_cast<Kind>(std::max(0, input.ConsumeIntegralInRange(-4, 3)));
    }
    const std::string commandLine = input.ConsumeRemainingBytesAsString();

    IsPeerName(peerName);
    const std::optional<std::string> called = PeerOfCommandLine(commandLine);
    Require(!called || (!called->empty() && called->size() < 257), "a called entry fits");

    // One interface, ppp0, and one process, 4242 (the seeds' pid file names it).
    const std::pair<fs::path, std::string> files[] = {
        {"run/ppp0.pid", pidFile},
        {"sys/class/net/ppp0/flags", flags},
        {"sys/class/net/ppp0/statistics/rx_bytes", received},
        {"sys/class/net/ppp0/statistics/tx_bytes", sent},
        {"proc/4242/cmdline", commandLine},
        {"proc/4242/status", status},
        {"proc/4242/environ", "VELNIX_ROOT=" + root.string() + '\0'},
    };
    for (size_t i = 0; i < std::size(files); ++i)
        Place(root / files[i].first, kinds[i], files[i].second);

    for (const PppLink& link : ListPppLinks()) {
        Require(link.pid == 4242 && called && link.entry == *called,
                "a link is its pid file's process, calling its entry");
        ReadLinkFigures(link);
    }
    const std::vector<uint32_t> pids = PppdProcessesOf(called ? *called : peerName);
    Require(pids.empty() || (called && pids == std::vector<uint32_t>{4242}),
            "a pppd is found by the entry it calls");
    return 0;
}
