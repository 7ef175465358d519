#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace velnix::linux_platform {

// The files a simulated link shows under the system root, as pppd and the kernel would:
// /run/pppN.pid and /sys/class/net/pppN/{flags,statistics/rx_bytes,statistics/tx_bytes}.
// Every file appears whole: it is written beside its place and renamed into it.
class SimulatedLink {
  public:
    // Attaches the first free unit pppN: its pid file holds this process's id and its interface
    // exists, down, with counters at the given values. A pid file whose process is gone is
    // taken over. Throws std::runtime_error when the files cannot be written.
    SimulatedLink(uint64_t received, uint64_t sent);
    ~SimulatedLink();  // the interface and the pid file go
    SimulatedLink(const SimulatedLink&) = delete;
    SimulatedLink& operator=(const SimulatedLink&) = delete;

    void BringUp();
    void SetCounters(uint64_t received, uint64_t sent);

  private:
    std::filesystem::path pidFile_;
    std::filesystem::path interface_;
};

}  // namespace velnix::linux_platform
