#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>

namespace velnix::linux_platform {

// The simulated provider set up for a test or a benchmark of this process: a fresh fixture root
// made by simulate.sh, with VELNIX_ROOT pointing at it, its bin folder (holding the simulated
// pppd) first on PATH, and the simulated pppd's settings in the environment, so that the dialer
// started from here dials the simulated provider. The destructor ends every simulated link,
// removes the root and restores the environment.
class SimulatedProvider {
  public:
    struct Settings {
        uint64_t upDelayMs = 300;
        uint64_t receivedRate = 40000;  // bytes per second
        uint64_t sentRate = 8000;
        uint64_t receivedStart = 0;
        uint64_t sentStart = 0;
    };

    explicit SimulatedProvider(const Settings& settings);
    SimulatedProvider() : SimulatedProvider(Settings{}) {}
    ~SimulatedProvider();
    SimulatedProvider(const SimulatedProvider&) = delete;
    SimulatedProvider& operator=(const SimulatedProvider&) = delete;

    const std::filesystem::path& Root() const { return root_; }

    // Makes the provider accept only `login` with `password`.
    void SetAccount(const std::string& login, const std::string& password);

    // Drops the links of `entry` (all links when empty) as the provider would.
    void Drop(const std::string& entry = "");

    // Polls `condition` every 20 ms until it holds or `timeout` has passed; returns it.
    static bool WaitFor(const std::function<bool()>& condition,
                        std::chrono::milliseconds timeout = std::chrono::seconds(20));

  private:
    void SetVariable(const std::string& name, const std::string& value);

    std::filesystem::path root_;
    std::map<std::string, std::optional<std::string>> savedVariables_;
};

}  // namespace velnix::linux_platform
