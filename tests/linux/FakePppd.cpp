#include "tests/linux/FakePppd.h"

#include <signal.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "platform/linux/ras/SmallFile.h"
#include "platform/linux/simulation/SimulatedProvider.h"

namespace velnix::linux_platform::testing {

namespace fs = std::filesystem;

namespace {

// Whether a process has ended: gone from /proc, or a zombie.
bool Ended(const std::string& pid) {
    const auto stat = ReadSmallFile("/proc/" + pid + "/stat");
    return !stat || stat->substr(stat->rfind(')') + 2, 1) == "Z";
}

}  // namespace

FakePppd::FakePppd(const FixtureRoot& root, bool stays)
    : records_(root.Path("/pppd-starts").string()) {
    fs::create_directories(records_);
    root.Write("/bin/pppd",
               "#!/bin/sh\n"
               "exec </dev/null >/dev/null 2>&1\n"
               "record='" +
                   records_ +
                   "'/$$\n"
                   "{\n"
                   "  printf '%s\\n' \"$@\"\n"
                   "  for word; do case $word in /dev/fd/*) cat \"$word\" ;; esac; done\n"
                   "} >\"$record.part\"\n" +
                   (stays ? "sleep 600 &\necho \"reste $!\" >>\"$record.part\"\n" : "") +
                   "mv \"$record.part\" \"$record\"\n");
    fs::permissions(root.Path("/bin/pppd"), fs::perms(0755));
    const char* path = std::getenv("PATH");
    savedPath_ = path != nullptr ? path : "";
    setenv("PATH", (root.Path("/bin").string() + ":" + savedPath_).c_str(), 1);
}

FakePppd::~FakePppd() {
    EndAll();
    setenv("PATH", savedPath_.c_str(), 1);
}

std::vector<std::string> FakePppd::Starts() const {
    std::vector<std::string> records;
    for (const auto& file : fs::directory_iterator(records_)) {
        if (file.path().extension() == ".part") continue;
        records.push_back(ReadSmallFile(file.path()).value_or(""));
    }
    return records;
}

void FakePppd::EndAll() {
    // A start still writing its record is waited for.
    SimulatedProvider::WaitFor([&] {
        for (const auto& file : fs::directory_iterator(records_)) {
            if (file.path().extension() == ".part") return false;
        }
        return true;
    });
    for (const std::string& record : Starts()) {
        const size_t left = record.find("reste ");
        if (left == std::string::npos) continue;
        const std::string pid = record.substr(left + 6, record.find('\n', left) - left - 6);
        ::kill(std::stoi(pid), SIGTERM);
        SimulatedProvider::WaitFor([&] { return Ended(pid); });
    }
    fs::remove_all(records_);
    fs::create_directories(records_);
}

}  // namespace velnix::linux_platform::testing
