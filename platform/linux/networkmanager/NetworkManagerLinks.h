#pragma once

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/linux/networkmanager/NetworkManagerClient.h"
#include "platform/linux/ras/LinkSource.h"

namespace velnix::linux_platform {

// The monitor enumerates several times within a tick, a few milliseconds apart, and ticks come
// a second apart: a view this young serves all the enumerations of one tick with one set of
// requests, and a dial or a hang-up the program starts is seen on the next tick.
inline constexpr std::chrono::milliseconds kManagerViewLifetime{500};

// NetworkManager's dial-up connections as the program's second phone book. Its presence is
// watched, so that nothing is sent over the bus while it is absent; while present, its
// connections and active connections are asked at most once per `viewLifetime` and that view
// serves every enumeration meanwhile.
class NetworkManagerLinks : public LinkSource {
  public:
    explicit NetworkManagerLinks(std::chrono::milliseconds viewLifetime = kManagerViewLifetime);

    // The connections' ids; the activated ones whose device has an IP interface, their duration
    // counted from the moment the program first saw them activated.
    std::optional<std::vector<std::string>> Entries() override;
    std::vector<SourceLink> UpLinks() override;

  private:
    struct View {
        std::optional<std::vector<ManagedConnection>> connections;
        std::vector<ActiveManagedConnection> actives;
        std::optional<std::chrono::steady_clock::time_point> takenAt;
    };

    const View& Current();

    NetworkManagerClient client_;
    std::chrono::milliseconds viewLifetime_;
    View view_;
    std::map<std::string, std::chrono::steady_clock::time_point> firstSeen_;
};

}  // namespace velnix::linux_platform
