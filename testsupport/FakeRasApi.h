#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/RasApi.h"

namespace velnix::testing {

// A phone book and a list of active connections in memory, answering with the contract of the
// Windows calls (size fields checked, room rules, result codes).
class FakeRasApi : public ras::RasApi {
  public:
    struct Link {
        std::string entry;
        uint32_t handle = 0;
        ras::RasStats stats{};
        uint32_t statsResult = ras::kSuccess;
    };

    uint32_t EnumEntries(ras::RasEntryName* entries, uint32_t& roomBytes, uint32_t& count) override;
    uint32_t EnumConnections(ras::RasConn* connections, uint32_t& roomBytes,
                             uint32_t& count) override;
    uint32_t GetConnectionStatistics(uint32_t hrasconn, ras::RasStats* stats) override;
    std::string TextFromSystemCodePage(const char* field, size_t room) override;

    // Brings a link up (or replaces its figures); returns it for further changes.
    Link& Up(const std::string& entry, uint32_t received = 0, uint32_t sent = 0,
             uint32_t durationMs = 0);
    void Down(const std::string& entry);
    void DownAll() { links.clear(); }

    std::vector<std::string> entries;
    std::vector<Link> links;
    uint32_t enumConnectionsResult = ras::kSuccess;  // forced result when not 0
    bool throwOnEnumConnections = false;             // the platform cannot be called
    int enumConnectionsCalls = 0;
    int statisticsCalls = 0;
    std::vector<uint32_t> roomsOffered;  // room of every EnumConnections call

  private:
    uint32_t nextHandle_ = 1;
};

}  // namespace velnix::testing
