#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/RasApi.h"
#include "platform/windows/portable/RasHandleTable.h"

namespace velnix::windows_platform {

// The system's records differ from the program's (wider text, a pointer-sized handle, more
// fields), so the adapter lists them in the system's layout and hands them over through these.

// One active connection as the system lists it, its texts in UTF-8.
struct ListedConnection {
    uint64_t handle = 0;
    std::string entryName;
    std::string deviceType;
    std::string deviceName;
};

// The program's records for a complete listing, by its room rules: when the records do not fit
// `roomBytes`, nothing is written, `roomBytes` and `count` tell the room needed and the number of
// records, and the result is kErrorBufferTooSmall; otherwise every record is filled and the
// result is kSuccess. Texts too long for their field are cut at a character boundary.
uint32_t FillEntries(const std::vector<std::string>& names, ras::RasEntryName* entries,
                     uint32_t& roomBytes, uint32_t& count);

// The same for connections; each handle is given its 32-bit id from `handles`, which forgets
// the handles this listing no longer holds.
uint32_t FillConnections(const std::vector<ListedConnection>& connections, RasHandleTable& handles,
                         ras::RasConn* records, uint32_t& roomBytes, uint32_t& count);

// How many system records to offer next, after `offered` were too few and the system reported
// `count` records or `bytes` of room needed (whichever says more): more than `offered`, but never
// more records than a 32-bit count of bytes has room for.
uint32_t RecordsToOffer(uint32_t offered, uint32_t count, uint32_t bytes, uint32_t recordSize);

}  // namespace velnix::windows_platform
