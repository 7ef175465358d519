// The connection object and its monitor on the real Linux layer, dialing the simulated provider
// through the real process start and dialer.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "common/Int32.h"
#include "engine/DialCommand.h"
#include "engine/InternetTenaline.h"
#include "platform/linux/process/LinuxProcessLauncher.h"
#include "platform/linux/ras/LinuxRasApi.h"
#include "platform/linux/ras/PppLinks.h"
#include "platform/linux/ras/SmallFile.h"
#include "platform/linux/simulation/SimulatedProvider.h"
#include "tests/linux/ProgramRun.h"
#include "testsupport/FakeSettingsStore.h"
#include "testsupport/FakeTenalineWindow.h"

namespace velnix::linux_platform {
namespace {

namespace fs = std::filesystem;

const std::string kEntry = "Fournisseur ADSL";
const std::string kPassword = R"(s3cr "et\ é)";
constexpr uint64_t kSentStart = 6'000'000'000;  // above 2^32

// The real process start, recording what it starts.
class RecordingLauncher : public ProcessLauncher {
  public:
    void StartHidden(const std::string& commandLine) override {
        started.push_back(commandLine);
        real_.StartHidden(commandLine);
    }
    void StartShown(const std::string& commandLine) override { real_.StartShown(commandLine); }

    int Dials() const {
        return static_cast<int>(
            std::count(started.begin(), started.end(), DialCommandLine(kEntry, "jean", kPassword)));
    }

    std::vector<std::string> started;

  private:
    LinuxProcessLauncher real_;
};

class EndToEnd : public ::testing::Test {
  protected:
    EndToEnd() : provider_(Simulation()) {
        provider_.SetAccount("jean", kPassword);
        settings_.Set("Quorath_Software", "Tenaline", "ConnectionName", kEntry);
        settings_.Set("Quorath_Software", "Tenaline", "Login", "jean");
        settings_.Set("Quorath_Software", "Tenaline", "PassWord", kPassword);
        TenalineServices services;
        services.settings = &settings_;
        services.ras = &ras_;
        services.launcher = &launcher_;
        services.createWindow = [this]() -> std::shared_ptr<TenalineWindow> {
            window_ = std::make_shared<testing_window>(&journal_);
            return window_;
        };
        object_ = InternetTenaline::Create(services);
    }

    using testing_window = velnix::testing::FakeTenalineWindow;

    static SimulatedProvider::Settings Simulation() {
        SimulatedProvider::Settings settings;
        settings.upDelayMs = 300;
        settings.receivedRate = 50'000;
        settings.sentRate = 0;
        settings.sentStart = kSentStart;
        return settings;
    }

    // One monitor run, a tenth of a second apart.
    void Tick() {
        object_->PollConnection();
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }

    // Ticks until `condition` holds (at most 20 s).
    template <typename Condition>
    bool TickUntil(Condition condition) {
        return SimulatedProvider::WaitFor([&] {
            Tick();
            return condition();
        });
    }

    long Events(const std::string& name) const {
        return std::count(window_->log.begin(), window_->log.end(), name);
    }

    SimulatedProvider provider_;
    velnix::testing::FakeSettingsStore settings_;
    LinuxRasApi ras_;
    RecordingLauncher launcher_;
    std::vector<std::string> journal_;
    std::shared_ptr<testing_window> window_;
    std::shared_ptr<InternetTenaline> object_;
};

TEST_F(EndToEnd, DialsOnStartRedialsAfterADropAndStaysDownAfterAHangUp) {
    // Start-up with nothing up: the first run dials.
    Tick();
    EXPECT_EQ(launcher_.Dials(), 1);
    EXPECT_EQ(window_->states.back(),
              (velnix::testing::RecordingEvents::State{kEntry, 0, 0, 0, 0, 0}));

    // The link comes up: Connected, then the real counters and speeds.
    ASSERT_TRUE(TickUntil([&] { return Events("Connected") == 1; }));
    EXPECT_EQ(Events("Disconnected"), 0);
    ASSERT_TRUE(TickUntil([&] {
        const auto& state = window_->states.back();
        return state.lOctetsRecus > 0 && state.lVitesseD > 0;
    }));
    const auto& up = window_->states.back();
    EXPECT_EQ(up.sNom, kEntry);
    EXPECT_EQ(up.lOctetsEnvoyes, BitsToInt32(static_cast<uint32_t>(kSentStart)));
    EXPECT_EQ(up.lVitesseU, 0);
    EXPECT_GT(up.lTemps, 0);

    // Neither pppd's nor any other process's command line carries the password.
    const std::vector<PppLink> links = ListPppLinks();
    ASSERT_EQ(links.size(), 1u);
    EXPECT_FALSE(testing::CommandLineOf(static_cast<int>(links[0].pid)).empty());
    for (const auto& process : fs::directory_iterator("/proc")) {
        const auto commandLine = ReadSmallFile(process.path() / "cmdline");
        EXPECT_FALSE(commandLine && commandLine->find("s3cr") != std::string::npos)
            << process.path();
    }

    // The provider drops the link: Disconnected, a redial in the same run, and up again. The
    // runs start once the link is gone: one that saw it go between two of its tests would
    // redial without a Disconnected.
    const int dialsBeforeDrop = launcher_.Dials();
    provider_.Drop(kEntry);
    ASSERT_TRUE(SimulatedProvider::WaitFor([] { return ListPppLinks().empty(); }));
    ASSERT_TRUE(TickUntil([&] { return Events("Disconnected") == 1; }));
    EXPECT_GT(launcher_.Dials(), dialsBeforeDrop);
    ASSERT_TRUE(TickUntil([&] { return Events("Connected") == 2; }));

    // The user hangs up: Disconnected once the link is gone, and no dial after it.
    object_->Disconnect();
    EXPECT_EQ(launcher_.started.back(), HangUpCommandLine(kEntry));
    ASSERT_TRUE(SimulatedProvider::WaitFor([] { return ListPppLinks().empty(); }));
    ASSERT_TRUE(TickUntil([&] { return Events("Disconnected") == 2; }));
    const int dialsAfterHangUp = launcher_.Dials();
    for (int i = 0; i < 10; ++i) Tick();
    EXPECT_EQ(launcher_.Dials(), dialsAfterHangUp);
    EXPECT_TRUE(ListPppLinks().empty());
    EXPECT_EQ(window_->states.back(),
              (velnix::testing::RecordingEvents::State{kEntry, 0, 0, 0, 0, 0}));
    EXPECT_EQ(testing::ChildProcessCount(), 0);
}

}  // namespace
}  // namespace velnix::linux_platform
