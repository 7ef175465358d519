#include "platform/linux/simulation/SimulatedLink.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <fstream>
#include <optional>
#include <stdexcept>

#include "platform/linux/SystemRoot.h"
#include "platform/linux/ras/SmallFile.h"

namespace velnix::linux_platform {

namespace fs = std::filesystem;

namespace {

void WriteWhole(const fs::path& path, const std::string& content) {
    const fs::path beside = path.parent_path() / ("." + path.filename().string() + ".new");
    {
        std::ofstream out(beside, std::ios::trunc);
        out << content;
        if (!out.flush()) throw std::runtime_error("écriture impossible : " + beside.string());
    }
    fs::rename(beside, path);
}

bool ProcessAlive(const fs::path& pidFile) {
    const std::optional<std::string> text = ReadSmallFile(pidFile);
    if (!text) return true;  // being written by its owner
    int pid = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), pid);
    if (error != std::errc() || pid <= 0) return true;
    return ::kill(pid, 0) == 0 || errno != ESRCH;
}

// Creates the pid file of the first free unit; returns its number.
int AttachUnit(const fs::path& run) {
    fs::create_directories(run);
    for (int unit = 0;; ++unit) {
        const fs::path pidFile = run / ("ppp" + std::to_string(unit) + ".pid");
        const int fd = ::open(pidFile.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0) {
            const std::string text = std::to_string(::getpid()) + "\n";
            const bool written =
                ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
            ::close(fd);
            if (!written) throw std::runtime_error("écriture impossible : " + pidFile.string());
            return unit;
        }
        if (errno != EEXIST) throw std::runtime_error("création impossible : " + pidFile.string());
        if (!ProcessAlive(pidFile)) {
            fs::remove(pidFile);
            --unit;  // try the same unit again
        }
    }
}

std::string Flags(bool up) { return up ? "0x1091\n" : "0x1090\n"; }

}  // namespace

SimulatedLink::SimulatedLink(uint64_t received, uint64_t sent) {
    const fs::path run = UnderRoot("/run");
    const int unit = AttachUnit(run);
    const std::string name = "ppp" + std::to_string(unit);
    pidFile_ = run / (name + ".pid");
    const fs::path net = UnderRoot("/sys/class/net");
    interface_ = net / name;
    const fs::path building = net / ("." + name + ".new");
    fs::remove_all(building);
    fs::remove_all(interface_);
    fs::create_directories(building / "statistics");
    WriteWhole(building / "flags", Flags(false));
    WriteWhole(building / "statistics" / "rx_bytes", std::to_string(received) + "\n");
    WriteWhole(building / "statistics" / "tx_bytes", std::to_string(sent) + "\n");
    fs::rename(building, interface_);
}

SimulatedLink::~SimulatedLink() {
    std::error_code ignored;
    const fs::path gone =
        interface_.parent_path() / ("." + interface_.filename().string() + ".gone");
    fs::remove_all(gone, ignored);
    fs::rename(interface_, gone, ignored);
    fs::remove_all(gone, ignored);
    fs::remove(pidFile_, ignored);
}

void SimulatedLink::BringUp() { WriteWhole(interface_ / "flags", Flags(true)); }

void SimulatedLink::SetCounters(uint64_t received, uint64_t sent) {
    WriteWhole(interface_ / "statistics" / "rx_bytes", std::to_string(received) + "\n");
    WriteWhole(interface_ / "statistics" / "tx_bytes", std::to_string(sent) + "\n");
}

}  // namespace velnix::linux_platform
