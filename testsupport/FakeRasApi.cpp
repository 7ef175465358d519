#include "testsupport/FakeRasApi.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace velnix::testing {

namespace {
void CopyName(char* field, const std::string& name) {
    const size_t length = std::min(name.size(), ras::kEntryNameRoom - 1);
    std::memcpy(field, name.data(), length);
    field[length] = '\0';
}
}  // namespace

uint32_t FakeRasApi::EnumEntries(ras::RasEntryName* records, uint32_t& roomBytes, uint32_t& count) {
    if (records[0].dwSize != ras::kRasEntryNameSize) return ras::kErrorInvalidSize;
    const auto needed = static_cast<uint32_t>(entries.size() * ras::kRasEntryNameSize);
    count = static_cast<uint32_t>(entries.size());
    if (needed > roomBytes) {
        roomBytes = needed;
        return ras::kErrorBufferTooSmall;
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        records[i].dwSize = ras::kRasEntryNameSize;
        CopyName(records[i].szEntryName, entries[i]);
    }
    return ras::kSuccess;
}

uint32_t FakeRasApi::EnumConnections(ras::RasConn* records, uint32_t& roomBytes, uint32_t& count) {
    ++enumConnectionsCalls;
    roomsOffered.push_back(roomBytes);
    if (throwOnEnumConnections) throw std::runtime_error("RAS indisponible");
    if (enumConnectionsResult != ras::kSuccess) return enumConnectionsResult;
    if (records[0].dwSize != ras::kRasConnSize) return ras::kErrorInvalidSize;
    const auto needed = static_cast<uint32_t>(links.size() * ras::kRasConnSize);
    count = static_cast<uint32_t>(links.size());
    if (needed > roomBytes) {
        roomBytes = needed;
        return ras::kErrorBufferTooSmall;
    }
    for (size_t i = 0; i < links.size(); ++i) {
        records[i].dwSize = ras::kRasConnSize;
        records[i].hrasconn = links[i].handle;
        CopyName(records[i].szEntryName, links[i].entry);
    }
    return ras::kSuccess;
}

uint32_t FakeRasApi::GetConnectionStatistics(uint32_t hrasconn, ras::RasStats* stats) {
    ++statisticsCalls;
    if (stats->dwSize != ras::kRasStatsSize) return ras::kErrorInvalidSize;
    for (const Link& link : links) {
        if (link.handle != hrasconn) continue;
        if (link.statsResult != ras::kSuccess) return link.statsResult;
        *stats = link.stats;
        stats->dwSize = ras::kRasStatsSize;
        return ras::kSuccess;
    }
    return ras::kErrorInvalidHandle;
}

std::string FakeRasApi::TextFromSystemCodePage(const char* field, size_t room) {
    return std::string(field, strnlen(field, room));
}

FakeRasApi::Link& FakeRasApi::Up(const std::string& entry, uint32_t received, uint32_t sent,
                                 uint32_t durationMs) {
    auto found = std::find_if(links.begin(), links.end(),
                              [&](const Link& link) { return link.entry == entry; });
    if (found == links.end()) {
        links.push_back(Link{entry, nextHandle_++, {}, ras::kSuccess});
        found = links.end() - 1;
    }
    found->stats.dwBytesRcved = received;
    found->stats.dwBytesXmited = sent;
    found->stats.dwConnectDuration = durationMs;
    return *found;
}

void FakeRasApi::Down(const std::string& entry) {
    std::erase_if(links, [&](const Link& link) { return link.entry == entry; });
}

}  // namespace velnix::testing
