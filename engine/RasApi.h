#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

namespace velnix::ras {

// The Remote Access records in their published byte layouts. Every implementation of RasApi
// (the Windows one and the Linux stand-in) fills exactly these, so the connection object cannot
// tell them apart.

inline constexpr uint32_t kSuccess = 0;
inline constexpr uint32_t kErrorInvalidHandle = 6;          // ERROR_INVALID_HANDLE
inline constexpr uint32_t kErrorBufferTooSmall = 603;       // ERROR_BUFFER_TOO_SMALL
inline constexpr uint32_t kErrorInvalidSize = 632;          // ERROR_INVALID_SIZE
inline constexpr uint32_t kErrorCannotOpenPhonebook = 621;  // ERROR_CANNOT_OPEN_PHONEBOOK

inline constexpr size_t kEntryNameRoom = 257;  // RAS_MaxEntryName + 1

// RASCONN, the 412-byte layout.
struct RasConn {
    uint32_t dwSize;
    uint32_t hrasconn;
    char szEntryName[kEntryNameRoom];
    char szDeviceType[17];
    char szDeviceName[129];
    char padding[1];
};
static_assert(sizeof(RasConn) == 412);
inline constexpr uint32_t kRasConnSize = 412;

// RASENTRYNAME, the 264-byte layout.
struct RasEntryName {
    uint32_t dwSize;
    char szEntryName[kEntryNameRoom];
    char padding[3];
};
static_assert(sizeof(RasEntryName) == 264);
inline constexpr uint32_t kRasEntryNameSize = 264;

// The room rule of both enumerations: `records` records of `recordSize` bytes must fit in
// `roomBytes`; otherwise `roomBytes` becomes the room needed (at most what 32 bits hold), the
// caller answers kErrorBufferTooSmall and writes nothing. `count` is the number of records.
inline bool RecordsFit(size_t records, uint32_t recordSize, uint32_t& roomBytes, uint32_t& count) {
    const uint64_t needed = uint64_t{records} * recordSize;
    count = static_cast<uint32_t>(records);
    if (needed <= roomBytes) return true;
    roomBytes = static_cast<uint32_t>(std::min<uint64_t>(needed, UINT32_MAX));
    return false;
}

// RAS_STATS, 60 bytes.
struct RasStats {
    uint32_t dwSize;
    uint32_t dwBytesXmited;
    uint32_t dwBytesRcved;
    uint32_t dwFramesXmited;
    uint32_t dwFramesRcved;
    uint32_t dwCrcErr;
    uint32_t dwTimeoutErr;
    uint32_t dwAlignmentErr;
    uint32_t dwHardwareOverrunErr;
    uint32_t dwFramingErr;
    uint32_t dwBufferOverrunErr;
    uint32_t dwCompressionRatioIn;
    uint32_t dwCompressionRatioOut;
    uint32_t dwBps;
    uint32_t dwConnectDuration;
};
static_assert(sizeof(RasStats) == 60);
inline constexpr uint32_t kRasStatsSize = 60;

// The platform's Remote Access operations, with the contract of the Windows calls:
// - the caller sets the size field of the first record and offers `roomBytes` of room;
// - a first record whose size field is not the layout's size gives kErrorInvalidSize;
// - when the records do not fit, the call writes nothing, sets `roomBytes` to the room needed
//   and `count` to the number of records there are, and returns kErrorBufferTooSmall;
// - otherwise it fills the records (size field, then the data), sets `count` and returns 0.
// Entry names are NUL-terminated UTF-8 text on Linux and on Windows, whose adapter calls the W
// functions and converts.
class RasApi {
  public:
    virtual ~RasApi() = default;

    // RasEnumEntriesA on the default phone book.
    virtual uint32_t EnumEntries(RasEntryName* entries, uint32_t& roomBytes, uint32_t& count) = 0;

    // RasEnumConnectionsA.
    virtual uint32_t EnumConnections(RasConn* connections, uint32_t& roomBytes,
                                     uint32_t& count) = 0;

    // RasGetConnectionStatistics: `stats->dwSize` must be 60; an unknown handle gives
    // kErrorInvalidHandle.
    virtual uint32_t GetConnectionStatistics(uint32_t hrasconn, RasStats* stats) = 0;

    // The program's text (UTF-8) of a NUL-terminated name field in the system's code page.
    virtual std::string TextFromSystemCodePage(const char* field, size_t room) = 0;
};

}  // namespace velnix::ras
