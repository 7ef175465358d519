// A stand-in for pppd that dials nothing: it reads the options as pppd does (call NAME, user,
// password, file), detaches, attaches the first free unit pppN under the system root, brings its
// interface up after a delay when the account is accepted, and grows its counters at a steady
// rate until it is told to end.
//
// Signals: SIGTERM, SIGINT or SIGHUP end the link as a hang-up does (exit status 5); SIGUSR1
// drops it as a provider would (exit status 16).
// Environment (all optional): VELNIX_SIM_UP_DELAY_MS (2000), VELNIX_SIM_RX_RATE and
// VELNIX_SIM_TX_RATE in bytes per second (40000 and 8000), VELNIX_SIM_RX_START and
// VELNIX_SIM_TX_START, the counters' first values (0).
// Exit statuses, as pppd's: 1 fatal error, 2 option error, 8 entry already being dialed (its
// device is locked), 19 account refused.

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <thread>

#include "platform/linux/SystemRoot.h"
#include "platform/linux/simulation/SimulatedLink.h"
#include "platform/linux/simulation/SimulatedOptions.h"

namespace {

using namespace velnix::linux_platform;
using Clock = std::chrono::steady_clock;

constexpr int kExitFatal = 1;
constexpr int kExitOptions = 2;
constexpr int kExitLocked = 8;
constexpr int kExitHungUp = 5;
constexpr int kExitDropped = 16;
constexpr int kExitRefused = 19;

volatile sig_atomic_t gEndStatus = 0;

void OnEndSignal(int signal) { gEndStatus = signal == SIGUSR1 ? kExitDropped : kExitHungUp; }

void HandleEndSignals() {
    struct sigaction action {};
    action.sa_handler = OnEndSignal;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGUSR1}) sigaction(signal, &action, nullptr);
}

uint64_t Setting(const char* name, uint64_t fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::strtoull(text, nullptr, 10) : fallback;
}

// Like pppd without nodetach: the caller gets its status back once the options are read.
void Detach() {
    const pid_t child = fork();
    if (child < 0) std::exit(kExitFatal);
    if (child > 0) _exit(0);
    setsid();
    const int null = open("/dev/null", O_RDWR);
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) dup2(null, fd);
    if (null > STDERR_FILENO) close(null);
    close_range(STDERR_FILENO + 1, ~0U, 0);  // the options are read: keep none of the caller's
}

// One simulated pppd per entry at a time, as the device lock of a real one allows.
bool LockEntry(const std::string& entry) {
    const std::filesystem::path locks = UnderRoot("/run/lock");
    std::filesystem::create_directories(locks);
    const int fd =
        open((locks / ("LCK..velnix-sim." + entry)).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    return fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0;  // held until this process ends
}

// Sleeps until `deadline` or an end signal.
void WaitUntil(Clock::time_point deadline) {
    while (gEndStatus == 0 && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

int RunLink(const SimulatedOptions& options) {
    const uint64_t rxStart = Setting("VELNIX_SIM_RX_START", 0);
    const uint64_t txStart = Setting("VELNIX_SIM_TX_START", 0);
    const uint64_t rxRate = Setting("VELNIX_SIM_RX_RATE", 40000);
    const uint64_t txRate = Setting("VELNIX_SIM_TX_RATE", 8000);
    const auto upDelay = std::chrono::milliseconds(Setting("VELNIX_SIM_UP_DELAY_MS", 2000));

    SimulatedLink link(rxStart, txStart);
    WaitUntil(Clock::now() + upDelay);
    if (gEndStatus != 0) return gEndStatus;
    if (!AccountAccepted(options)) return kExitRefused;
    link.BringUp();
    const Clock::time_point up = Clock::now();
    while (gEndStatus == 0) {
        const auto elapsedMs = static_cast<uint64_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - up).count());
        link.SetCounters(rxStart + rxRate * elapsedMs / 1000, txStart + txRate * elapsedMs / 1000);
        WaitUntil(Clock::now() + std::chrono::milliseconds(200));
    }
    return gEndStatus;
}

}  // namespace

int main(int argc, char** argv) {
    const char* root = std::getenv("VELNIX_ROOT");
    if (root == nullptr || *root == '\0' || SystemRoot() == "/") {
        std::cerr << "pppd (simulé) : VELNIX_ROOT doit désigner une racine de simulation"
                  << std::endl;
        return kExitFatal;
    }
    SimulatedOptions options;
    std::string error;
    if (!ReadSimulatedOptions(argc, argv, options, error)) {
        std::cerr << "pppd (simulé) : " << error << std::endl;
        return kExitOptions;
    }
    HandleEndSignals();
    if (!options.nodetach) Detach();
    try {
        if (!LockEntry(options.entry)) return kExitLocked;
        return RunLink(options);
    } catch (const std::exception& failure) {
        std::cerr << "pppd (simulé) : " << failure.what() << std::endl;
        return kExitFatal;
    }
}
