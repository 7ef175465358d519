#include "platform/windows/ras/WindowsRasApi.h"

#include <windows.h>

#include <ras.h>
#include <raserror.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/windows/portable/RasRecords.h"
#include "platform/windows/system/WideText.h"

namespace velnix::windows_platform {

namespace {

static_assert(sizeof(RAS_STATS) == sizeof(ras::RasStats), "RAS_STATS is the program's layout");

constexpr uint32_t kFirstOffer = 8;  // records: more than a phone book or a machine usually has
constexpr int kAttempts = 8;         // a list that grows between two calls is asked for again

// The whole list in the system's records: `call(records, &bytes, &count)` is asked again with
// more room while it answers that the room is too small.
template <typename Record, typename Call>
DWORD ListAll(std::vector<Record>& records, Call call) {
    uint32_t offered = kFirstOffer;
    DWORD result = ERROR_BUFFER_TOO_SMALL;
    for (int attempt = 0; attempt < kAttempts && result == ERROR_BUFFER_TOO_SMALL; ++attempt) {
        records.assign(offered, Record{});
        records[0].dwSize = sizeof(Record);
        DWORD bytes = offered * sizeof(Record);
        DWORD count = 0;
        result = call(records.data(), &bytes, &count);
        if (result == ERROR_SUCCESS) {
            records.resize(std::min<DWORD>(count, offered));
        } else if (result == ERROR_BUFFER_TOO_SMALL) {
            offered = RecordsToOffer(offered, count, bytes, sizeof(Record));
        }
    }
    return result;
}

template <size_t Room>
std::string Utf8Field(const wchar_t (&field)[Room]) {
    return Utf8FromWideReplacing(FieldText(field, Room));
}

}  // namespace

uint32_t WindowsRasApi::EnumEntries(ras::RasEntryName* entries, uint32_t& roomBytes,
                                    uint32_t& count) {
    if (entries[0].dwSize != ras::kRasEntryNameSize) return ras::kErrorInvalidSize;
    std::vector<RASENTRYNAMEW> records;
    const DWORD result = ListAll(records, [](RASENTRYNAMEW* buffer, DWORD* bytes, DWORD* listed) {
        return RasEnumEntriesW(nullptr, nullptr, buffer, bytes, listed);
    });
    if (result != ERROR_SUCCESS) {
        count = 0;
        return result;
    }
    std::vector<std::string> names;
    for (const RASENTRYNAMEW& record : records) names.push_back(Utf8Field(record.szEntryName));
    return FillEntries(names, entries, roomBytes, count);
}

uint32_t WindowsRasApi::EnumConnections(ras::RasConn* connections, uint32_t& roomBytes,
                                        uint32_t& count) {
    if (connections[0].dwSize != ras::kRasConnSize) return ras::kErrorInvalidSize;
    std::vector<RASCONNW> records;
    const DWORD result = ListAll(records, [](RASCONNW* buffer, DWORD* bytes, DWORD* listed) {
        return RasEnumConnectionsW(buffer, bytes, listed);
    });
    if (result != ERROR_SUCCESS) {
        count = 0;
        return result;
    }
    std::vector<ListedConnection> listed;
    for (const RASCONNW& record : records) {
        listed.push_back({reinterpret_cast<uintptr_t>(record.hrasconn),
                          Utf8Field(record.szEntryName), Utf8Field(record.szDeviceType),
                          Utf8Field(record.szDeviceName)});
    }
    return FillConnections(listed, handles_, connections, roomBytes, count);
}

uint32_t WindowsRasApi::GetConnectionStatistics(uint32_t hrasconn, ras::RasStats* stats) {
    if (stats->dwSize != ras::kRasStatsSize) return ras::kErrorInvalidSize;
    const std::optional<uint64_t> handle = handles_.HandleOf(hrasconn);
    if (!handle) return ras::kErrorInvalidHandle;
    RAS_STATS figures{};
    figures.dwSize = sizeof figures;
    const DWORD result = RasGetConnectionStatistics(
        reinterpret_cast<HRASCONN>(static_cast<uintptr_t>(*handle)), &figures);
    if (result == ERROR_SUCCESS) std::memcpy(stats, &figures, sizeof figures);
    return result;
}

std::string WindowsRasApi::TextFromSystemCodePage(const char* field, size_t room) {
    return std::string(field, strnlen(field, room));
}

}  // namespace velnix::windows_platform
