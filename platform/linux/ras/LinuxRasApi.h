#pragma once

#include <chrono>
#include <optional>
#include <vector>

#include "engine/RasApi.h"
#include "platform/linux/ras/LinkSource.h"

namespace velnix::linux_platform {

// The monitor looks at the links several times within a tick, a few milliseconds apart, and
// ticks come a second apart: one look can serve a whole tick, and a link that came up or went
// down meanwhile is still seen on the next.
inline constexpr std::chrono::milliseconds kLinkViewLifetime{200};

// The Remote Access operations over pppd: the phone book is /etc/ppp/peers, the active
// connections are the pppd links whose interface is up, and their statistics come from the
// interface counters. Every path is read under the system root (VELNIX_ROOT).
//
// A connection's handle is its pppd's process id: it stays valid for the life of the link,
// whatever enumerations happen meanwhile, and GetConnectionStatistics finds the link again by it.
//
// A second source (`links`, optional) adds its entries and links: an entry of both is listed
// once; its links' handles are its own and their counters those of their interface.
//
// The links found by one look serve the enumerations and statistics that follow within
// `viewLifetime` (none by default: every call looks afresh); the counters are read on every
// call for statistics.
class LinuxRasApi : public ras::RasApi {
  public:
    explicit LinuxRasApi(LinkSource* links = nullptr,
                         std::chrono::milliseconds viewLifetime = std::chrono::milliseconds(0))
        : links_(links), viewLifetime_(viewLifetime) {}

    // Entries sorted by name. A missing peers folder is an empty phone book; one that cannot
    // be read gives kErrorCannotOpenPhonebook with a count of 0.
    uint32_t EnumEntries(ras::RasEntryName* entries, uint32_t& roomBytes, uint32_t& count) override;

    // The links that are up, sorted by interface name; device type "PPP", device name the
    // interface.
    uint32_t EnumConnections(ras::RasConn* connections, uint32_t& roomBytes,
                             uint32_t& count) override;

    // Bytes received and sent since the link began and its duration in milliseconds, each the
    // low 32 bits of the system's figure. The other fields are 0.
    uint32_t GetConnectionStatistics(uint32_t hrasconn, ras::RasStats* stats) override;

    // Names are UTF-8 already: the field's text up to its NUL.
    std::string TextFromSystemCodePage(const char* field, size_t room) override;

  private:
    // The links that are up, from the last look while it is younger than `viewLifetime_`.
    const std::vector<SourceLink>& UpLinks();

    LinkSource* links_;
    std::chrono::milliseconds viewLifetime_;
    std::vector<SourceLink> upLinks_;
    std::optional<std::chrono::steady_clock::time_point> lookedAt_;
};

}  // namespace velnix::linux_platform
