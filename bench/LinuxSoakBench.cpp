// Soak run of the monitor on the Linux layer against the simulated provider: 100,000 runs with
// the configured link up, then runs in which every dial fails, printing the open descriptors,
// resident memory and child processes of this program before and after each phase.
//   linux_soak_bench [RUNS [FAILING_RUNS]]

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include "engine/InternetTenaline.h"
#include "platform/linux/process/LinuxProcessLauncher.h"
#include "platform/linux/ras/LinuxRasApi.h"
#include "platform/linux/ras/SmallFile.h"
#include "platform/linux/simulation/SimulatedProvider.h"
#include "testsupport/FakeSettingsStore.h"
#include "testsupport/FakeTenalineWindow.h"

namespace {

namespace fs = std::filesystem;
using namespace velnix;
using namespace velnix::linux_platform;

struct Figures {
    long descriptors = 0;
    long residentKb = 0;
    long children = 0;
    long zombies = 0;
    long dialers = 0;        // dialer processes anywhere on the system
    long systemZombies = 0;  // zombies anywhere on the system
};

Figures Measure() {
    Figures figures;
    for ([[maybe_unused]] const auto& fd : fs::directory_iterator("/proc/self/fd")) {
        ++figures.descriptors;
    }
    const std::string status = ReadSmallFile("/proc/self/status").value_or("");
    const size_t rss = status.find("VmRSS:");
    if (rss != std::string::npos) figures.residentKb = std::atol(status.c_str() + rss + 6);
    const std::string self = std::to_string(getpid());
    for (const auto& process : fs::directory_iterator("/proc")) {
        const auto stat = ReadSmallFile(process.path() / "stat");
        if (!stat || stat->rfind(')') == std::string::npos) continue;
        std::istringstream rest(stat->substr(stat->rfind(')') + 1));
        std::string state;
        std::string parent;
        rest >> state >> parent;
        if (state == "Z") ++figures.systemZombies;
        const auto commandLine = ReadSmallFile(process.path() / "cmdline");
        if (commandLine && commandLine->starts_with("rasdial.exe")) ++figures.dialers;
        if (parent != self) continue;
        ++figures.children;
        if (state == "Z") ++figures.zombies;
    }
    return figures;
}

void Print(const char* when, const Figures& figures) {
    std::printf(
        "  %-7s open fds %3ld   RSS %6ld KiB   children %ld (zombies %ld)   dialers running %ld"
        "   zombies on the system %ld\n",
        when, figures.descriptors, figures.residentKb, figures.children, figures.zombies,
        figures.dialers, figures.systemZombies);
}

template <typename Run>
void Phase(const char* title, long runs, Run run) {
    std::printf("%s: %ld monitor runs\n", title, runs);
    Print("before", Measure());
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < runs; ++i) run();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    Print("after", Measure());
    std::printf("  %.1f µs per run\n",
                std::chrono::duration<double, std::micro>(elapsed).count() / runs);
}

}  // namespace

int main(int argc, char** argv) {
    const long runs = argc > 1 ? std::atol(argv[1]) : 100'000;
    const long failingRuns = argc > 2 ? std::atol(argv[2]) : 1'000;
    const std::string entry = "Fournisseur ADSL";

    SimulatedProvider::Settings simulation;
    simulation.upDelayMs = 100;
    SimulatedProvider provider(simulation);
    provider.SetAccount("demo", "demo");
    velnix::testing::FakeSettingsStore settings;
    settings.Set("Quorath_Software", "Tenaline", "ConnectionName", entry);
    settings.Set("Quorath_Software", "Tenaline", "Login", "demo");
    settings.Set("Quorath_Software", "Tenaline", "PassWord", "demo");
    LinuxRasApi ras;
    LinuxProcessLauncher launcher;
    std::vector<std::string> journal;
    std::shared_ptr<velnix::testing::FakeTenalineWindow> window;
    TenalineServices services{
        &settings, &ras, &launcher, [&]() -> std::shared_ptr<TenalineWindow> {
            window = std::make_shared<velnix::testing::FakeTenalineWindow>(&journal);
            return window;
        }};
    const auto object = InternetTenaline::Create(services);
    const auto poll = [&] {
        object->PollConnection();
        window->log.clear();
        window->states.clear();
    };

    bool up = false;
    SimulatedProvider::WaitFor([&] {
        object->PollConnection();
        up = up ||
             std::find(window->log.begin(), window->log.end(), "Connected") != window->log.end();
        window->states.clear();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return up;
    });
    if (!up) {
        std::fprintf(stderr, "the simulated link did not come up\n");
        return 1;
    }
    Phase("Link up", runs, poll);

    // Every dial now fails at once (unknown entry): two dialers start on every run.
    settings.Set("Quorath_Software", "Tenaline", "ConnectionName", "Inconnu");
    provider.Drop();
    SimulatedProvider::WaitFor([&] { return !object->Connected(); });
    Phase("Failing dials", failingRuns, poll);
    std::this_thread::sleep_for(std::chrono::seconds(5));
    Print("5 s on", Measure());
    return 0;
}
