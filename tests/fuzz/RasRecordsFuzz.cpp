// The Windows adapter's translation of the system's records into the program's: any names and
// handles fill exactly the room they are given, with texts cut at a character boundary and ids
// that follow their handles; more room is always asked for after too little.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "engine/RasApi.h"
#include "platform/windows/portable/RasHandleTable.h"
#include "platform/windows/portable/RasRecords.h"
#include "tests/fuzz/FuzzCheck.h"

using namespace velnix;
using namespace velnix::windows_platform;

namespace {

// A field holds its text up to the first NUL, whole when it fits, else cut before a character.
void CheckField(const char* field, size_t room, const std::string& text) {
    const std::string_view whole(text.c_str());
    const size_t length = strnlen(field, room);
    Require(length < room, "a field ends with a NUL");
    Require(whole.substr(0, length) == std::string_view(field, length),
            "a field holds the start of its text");
    if (whole.size() < room) {
        Require(length == whole.size(), "a text that fits is whole");
    } else {
        // Only a text of nothing but continuation bytes is cut inside one: to nothing.
        Require(length == 0 || (static_cast<unsigned char>(whole[length]) & 0xC0) != 0x80,
                "a text is cut at a character boundary");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const auto offered = input.ConsumeIntegral<uint32_t>();
    const auto reportedCount = input.ConsumeIntegral<uint32_t>();
    const auto reportedBytes = input.ConsumeIntegral<uint32_t>();
    const auto recordSize = input.ConsumeIntegralInRange<uint32_t>(1, 4096);
    const uint32_t next = RecordsToOffer(offered, reportedCount, reportedBytes, recordSize);
    const uint32_t most = UINT32_MAX / recordSize;
    Require(next <= most && (next > offered || offered >= most),
            "more records are offered after too few, their room counted in 32 bits");

    RasHandleTable handles;
    std::map<uint64_t, uint32_t> ids;
    for (int listing = 0; listing < 2 && input.remaining_bytes() > 0; ++listing) {
        std::vector<ListedConnection> connections(input.ConsumeIntegralInRange<size_t>(0, 4));
        for (ListedConnection& connection : connections) {
            connection.handle = input.ConsumeIntegralInRange<uint64_t>(0, 6);
            connection.entryName = input.ConsumeRandomLengthString(300);
            connection.deviceType = input.ConsumeRandomLengthString(32);
            connection.deviceName = input.ConsumeRandomLengthString(160);
        }
        uint32_t room = input.ConsumeIntegralInRange<uint32_t>(0, 5 * ras::kRasConnSize);
        std::vector<ras::RasConn> records(room / ras::kRasConnSize);
        room = static_cast<uint32_t>(records.size() * ras::kRasConnSize);
        uint32_t count = 0;
        const uint32_t result = FillConnections(connections, handles, records.data(), room, count);
        Require(count == connections.size(), "the count is the connections'");
        // Handles no longer listed are forgotten.
        std::erase_if(ids, [&](const auto& id) {
            return std::none_of(connections.begin(), connections.end(),
                                [&](const ListedConnection& c) { return c.handle == id.first; });
        });
        if (connections.size() > records.size()) {
            Require(result == ras::kErrorBufferTooSmall &&
                        room == connections.size() * ras::kRasConnSize,
                    "too little room asks for the room needed");
            continue;
        }
        Require(result == ras::kSuccess, "enough room is filled");
        for (size_t i = 0; i < connections.size(); ++i) {
            const ras::RasConn& record = records[i];
            const uint64_t handle = connections[i].handle;
            Require(record.hrasconn != 0 && handles.HandleOf(record.hrasconn) == handle,
                    "an id stands for its handle");
            const auto [known, fresh] = ids.emplace(handle, record.hrasconn);
            Require(fresh || known->second == record.hrasconn, "a handle keeps its id");
            CheckField(record.szEntryName, sizeof record.szEntryName, connections[i].entryName);
            CheckField(record.szDeviceType, sizeof record.szDeviceType, connections[i].deviceType);
            CheckField(record.szDeviceName, sizeof record.szDeviceName, connections[i].deviceName);
        }
    }

    std::vector<std::string> names(input.ConsumeIntegralInRange<size_t>(0, 4));
    for (std::string& name : names) name = input.ConsumeRandomLengthString(300);
    uint32_t room = input.ConsumeIntegralInRange<uint32_t>(0, 5 * ras::kRasEntryNameSize);
    std::vector<ras::RasEntryName> entries(room / ras::kRasEntryNameSize);
    room = static_cast<uint32_t>(entries.size() * ras::kRasEntryNameSize);
    uint32_t count = 0;
    const uint32_t result = FillEntries(names, entries.data(), room, count);
    Require(count == names.size(), "the count is the names'");
    Require((result == ras::kSuccess) == (names.size() <= entries.size()),
            "the names are filled when they fit");
    if (result == ras::kSuccess) {
        for (size_t i = 0; i < names.size(); ++i) {
            CheckField(entries[i].szEntryName, sizeof entries[i].szEntryName, names[i]);
        }
    }
    return 0;
}
