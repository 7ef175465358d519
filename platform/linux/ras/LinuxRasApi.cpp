#include "platform/linux/ras/LinuxRasApi.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/linux/ras/PppLinks.h"
#include "platform/linux/ras/PppPeers.h"

namespace velnix::linux_platform {

namespace {

template <size_t Room>
void CopyText(char (&field)[Room], std::string_view text) {
    const size_t length = std::min(text.size(), Room - 1);
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

// The room rules shared by both enumerations: `records` records of `recordSize` bytes must fit
// in `roomBytes`; otherwise the room needed and the count are reported and nothing is written.
bool Fits(size_t records, uint32_t recordSize, uint32_t& roomBytes, uint32_t& count) {
    const uint64_t needed = uint64_t{records} * recordSize;
    count = static_cast<uint32_t>(records);
    if (needed <= roomBytes) return true;
    roomBytes = static_cast<uint32_t>(std::min<uint64_t>(needed, UINT32_MAX));
    return false;
}

std::vector<PppLink> UpLinks() {
    std::vector<PppLink> links = ListPppLinks();
    std::erase_if(links, [](const PppLink& link) { return !link.up; });
    return links;
}

}  // namespace

uint32_t LinuxRasApi::EnumEntries(ras::RasEntryName* entries, uint32_t& roomBytes,
                                  uint32_t& count) {
    if (entries[0].dwSize != ras::kRasEntryNameSize) return ras::kErrorInvalidSize;
    std::error_code error;
    const std::vector<std::string> names = ListPeers(error);
    if (error) {
        count = 0;
        return ras::kErrorCannotOpenPhonebook;
    }
    if (!Fits(names.size(), ras::kRasEntryNameSize, roomBytes, count)) {
        return ras::kErrorBufferTooSmall;
    }
    for (size_t i = 0; i < names.size(); ++i) {
        entries[i].dwSize = ras::kRasEntryNameSize;
        CopyText(entries[i].szEntryName, names[i]);
    }
    return ras::kSuccess;
}

uint32_t LinuxRasApi::EnumConnections(ras::RasConn* connections, uint32_t& roomBytes,
                                      uint32_t& count) {
    if (connections[0].dwSize != ras::kRasConnSize) return ras::kErrorInvalidSize;
    const std::vector<PppLink> links = UpLinks();
    if (!Fits(links.size(), ras::kRasConnSize, roomBytes, count)) {
        return ras::kErrorBufferTooSmall;
    }
    for (size_t i = 0; i < links.size(); ++i) {
        ras::RasConn& record = connections[i];
        record.dwSize = ras::kRasConnSize;
        record.hrasconn = links[i].pid;
        CopyText(record.szEntryName, links[i].entry);
        CopyText(record.szDeviceType, "PPP");
        CopyText(record.szDeviceName, links[i].interfaceName);
    }
    return ras::kSuccess;
}

uint32_t LinuxRasApi::GetConnectionStatistics(uint32_t hrasconn, ras::RasStats* stats) {
    if (stats->dwSize != ras::kRasStatsSize) return ras::kErrorInvalidSize;
    for (const PppLink& link : UpLinks()) {
        if (link.pid != hrasconn) continue;
        const std::optional<LinkFigures> figures = ReadLinkFigures(link);
        if (!figures) break;  // the link ended meanwhile
        *stats = ras::RasStats{};
        stats->dwSize = ras::kRasStatsSize;
        stats->dwBytesRcved = static_cast<uint32_t>(figures->receivedBytes);
        stats->dwBytesXmited = static_cast<uint32_t>(figures->sentBytes);
        stats->dwConnectDuration = static_cast<uint32_t>(figures->durationMs);
        return ras::kSuccess;
    }
    return ras::kErrorInvalidHandle;
}

std::string LinuxRasApi::TextFromSystemCodePage(const char* field, size_t room) {
    return std::string(field, strnlen(field, room));
}

}  // namespace velnix::linux_platform
