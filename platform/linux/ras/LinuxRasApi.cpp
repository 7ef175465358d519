#include "platform/linux/ras/LinuxRasApi.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

#include "common/Text.h"
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

// pppd's links that are up and those of the second source, sorted by interface name.
std::vector<SourceLink> LookForUpLinks(LinkSource* source) {
    std::vector<SourceLink> links;
    for (const PppLink& link : ListPppLinks()) {
        if (link.up) links.push_back({link.pid, link.entry, link.interfaceName, 0});
    }
    if (source) {
        for (SourceLink& link : source->UpLinks()) links.push_back(std::move(link));
    }
    std::stable_sort(links.begin(), links.end(), [](const SourceLink& a, const SourceLink& b) {
        return a.interfaceName < b.interfaceName;
    });
    return links;
}

// The peers and the second source's entries, sorted; a name of both (letter case aside) once.
std::vector<std::string> MergedEntries(std::vector<std::string> names, LinkSource* source) {
    const std::optional<std::vector<std::string>> extra = source ? source->Entries() : std::nullopt;
    if (!extra) return names;
    for (const std::string& name : *extra) {
        const bool known = std::any_of(names.begin(), names.end(), [&](const std::string& peer) {
            return EqualsIgnoreCase(peer, name);
        });
        if (!known) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

const std::vector<SourceLink>& LinuxRasApi::UpLinks() {
    const auto now = std::chrono::steady_clock::now();
    if (!lookedAt_ || now - *lookedAt_ >= viewLifetime_) {
        upLinks_ = LookForUpLinks(links_);
        lookedAt_ = now;
    }
    return upLinks_;
}

uint32_t LinuxRasApi::EnumEntries(ras::RasEntryName* entries, uint32_t& roomBytes,
                                  uint32_t& count) {
    if (entries[0].dwSize != ras::kRasEntryNameSize) return ras::kErrorInvalidSize;
    std::error_code error;
    const std::vector<std::string> names = MergedEntries(ListPeers(error), links_);
    if (error && names.empty()) {
        count = 0;
        return ras::kErrorCannotOpenPhonebook;
    }
    if (!ras::RecordsFit(names.size(), ras::kRasEntryNameSize, roomBytes, count)) {
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
    const std::vector<SourceLink>& links = UpLinks();
    if (!ras::RecordsFit(links.size(), ras::kRasConnSize, roomBytes, count)) {
        return ras::kErrorBufferTooSmall;
    }
    for (size_t i = 0; i < links.size(); ++i) {
        ras::RasConn& record = connections[i];
        record.dwSize = ras::kRasConnSize;
        record.hrasconn = links[i].handle;
        CopyText(record.szEntryName, links[i].entry);
        CopyText(record.szDeviceType, "PPP");
        CopyText(record.szDeviceName, links[i].interfaceName);
    }
    return ras::kSuccess;
}

uint32_t LinuxRasApi::GetConnectionStatistics(uint32_t hrasconn, ras::RasStats* stats) {
    if (stats->dwSize != ras::kRasStatsSize) return ras::kErrorInvalidSize;
    for (const SourceLink& link : UpLinks()) {
        if (link.handle != hrasconn) continue;
        std::optional<LinkFigures> figures;
        if (hrasconn & kSourceHandleBit) {
            figures = ReadInterfaceCounters(link.interfaceName);
            if (figures) figures->durationMs = link.durationMs;
        } else {
            figures = ReadLinkFigures(PppLink{link.interfaceName, link.handle, link.entry, true});
        }
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
