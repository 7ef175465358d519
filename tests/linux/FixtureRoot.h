#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velnix::linux_platform::testing {

// The real and effective uids of a process.
struct Uids {
    uint32_t real;
    uint32_t effective;
};

// This process's own uids.
Uids OwnUids();

// A system root made in a fresh temporary folder, with VELNIX_ROOT pointing at it for the
// fixture's life. Processes are folders proc/<pid> holding a cmdline file, an environ file
// that names the root and a status file with their uids: no real process is involved.
class FixtureRoot {
  public:
    FixtureRoot();
    ~FixtureRoot();
    FixtureRoot(const FixtureRoot&) = delete;
    FixtureRoot& operator=(const FixtureRoot&) = delete;

    // `absolutePath` (such as "/run/ppp0.pid") inside the root.
    std::filesystem::path Path(std::string_view absolutePath) const;
    void Write(std::string_view absolutePath, std::string_view content) const;

    void AddPeer(const std::string& name) const;
    void AddProcess(uint32_t pid, const std::vector<std::string>& arguments,
                    Uids uids = OwnUids()) const;
    void AddInterface(const std::string& name, bool up, uint64_t received, uint64_t sent) const;

    // A pppd started with `call entry`, its pid file and its interface.
    void AddLink(const std::string& interfaceName, uint32_t pid, const std::string& entry,
                 bool up = true, uint64_t received = 0, uint64_t sent = 0) const;

  private:
    std::filesystem::path root_;
    std::optional<std::string> savedRoot_;
};

}  // namespace velnix::linux_platform::testing
