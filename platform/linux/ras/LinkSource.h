#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velnix::linux_platform {

// A link of another connection manager than pppd's peers, up and carrying traffic.
struct SourceLink {
    uint32_t handle = 0;  // kSourceHandleBit set: never a pppd's process id
    std::string entry;
    std::string interfaceName;
    uint64_t durationMs = 0;
};

// Process ids stay below 2^22: handles with this bit set belong to a LinkSource.
inline constexpr uint32_t kSourceHandleBit = 0x80000000u;

// A second phone book beside /etc/ppp/peers, such as the desktop's connection manager.
class LinkSource {
  public:
    virtual ~LinkSource() = default;

    // The entries it offers; nothing when the manager is not running.
    virtual std::optional<std::vector<std::string>> Entries() = 0;

    // Its links that are up.
    virtual std::vector<SourceLink> UpLinks() = 0;
};

}  // namespace velnix::linux_platform
