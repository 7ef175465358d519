#include "platform/windows/portable/RasRecords.h"

#include <algorithm>

#include "platform/windows/portable/FieldText.h"

namespace velnix::windows_platform {

uint32_t FillEntries(const std::vector<std::string>& names, ras::RasEntryName* entries,
                     uint32_t& roomBytes, uint32_t& count) {
    if (!ras::RecordsFit(names.size(), ras::kRasEntryNameSize, roomBytes, count)) {
        return ras::kErrorBufferTooSmall;
    }
    for (size_t i = 0; i < names.size(); ++i) {
        entries[i].dwSize = ras::kRasEntryNameSize;
        CopyToField(entries[i].szEntryName, sizeof entries[i].szEntryName, names[i]);
    }
    return ras::kSuccess;
}

uint32_t FillConnections(const std::vector<ListedConnection>& connections, RasHandleTable& handles,
                         ras::RasConn* records, uint32_t& roomBytes, uint32_t& count) {
    std::vector<uint64_t> listed;
    for (const ListedConnection& connection : connections) listed.push_back(connection.handle);
    handles.KeepOnly(listed);
    if (!ras::RecordsFit(connections.size(), ras::kRasConnSize, roomBytes, count)) {
        return ras::kErrorBufferTooSmall;
    }
    for (size_t i = 0; i < connections.size(); ++i) {
        ras::RasConn& record = records[i];
        record.dwSize = ras::kRasConnSize;
        record.hrasconn = handles.IdOf(connections[i].handle);
        CopyToField(record.szEntryName, sizeof record.szEntryName, connections[i].entryName);
        CopyToField(record.szDeviceType, sizeof record.szDeviceType, connections[i].deviceType);
        CopyToField(record.szDeviceName, sizeof record.szDeviceName, connections[i].deviceName);
    }
    return ras::kSuccess;
}

uint32_t RecordsToOffer(uint32_t offered, uint32_t count, uint32_t bytes, uint32_t recordSize) {
    const uint32_t most = UINT32_MAX / recordSize;
    const auto fromBytes = static_cast<uint32_t>((uint64_t{bytes} + recordSize - 1) / recordSize);
    const uint32_t needed = std::max(count, fromBytes);
    const uint64_t next = needed > offered ? needed : std::max<uint64_t>(uint64_t{offered} * 2, 1);
    return static_cast<uint32_t>(std::min<uint64_t>(next, most));
}

}  // namespace velnix::windows_platform
