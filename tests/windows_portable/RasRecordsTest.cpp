#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/windows/portable/FieldText.h"
#include "platform/windows/portable/RasHandleTable.h"
#include "platform/windows/portable/RasRecords.h"

namespace velnix::windows_platform {
namespace {

std::string Repeat(std::string_view text, int times) {
    std::string result;
    for (int i = 0; i < times; ++i) result += text;
    return result;
}

TEST(FieldTextTest, TextTooLongIsCutBeforeTheCharacterThatDoesNotFit) {
    struct Case {
        std::string text;
        std::string field;
    };
    const std::vector<Case> cases = {
        {"Numéris", "Numéris"},
        {Repeat("a", 300), Repeat("a", 256)},
        {Repeat("é", 200), Repeat("é", 128)},              // 2-byte characters, room for 128
        {"a" + Repeat("é", 200), "a" + Repeat("é", 127)},  // the 128th would straddle the end
        {Repeat("a", 254) + "𝄞", Repeat("a", 254)},        // a 4-byte character at the end
    };
    for (const Case& c : cases) {
        char field[ras::kEntryNameRoom];
        std::fill(std::begin(field), std::end(field), 'x');
        CopyToField(field, sizeof field, c.text);
        EXPECT_EQ(std::string(field), c.field) << c.text.size() << " bytes";
    }
}

TEST(RasHandleTableTest, WideHandlesGetDistinctStableIdsUntilNoLongerListed) {
    RasHandleTable table;
    const uint64_t first = 0x0000000100000005;
    const uint64_t second = 0x0000000200000005;  // the same low 32 bits
    const uint32_t firstId = table.IdOf(first);
    const uint32_t secondId = table.IdOf(second);
    EXPECT_NE(firstId, 0u);
    EXPECT_NE(firstId, secondId);
    EXPECT_EQ(table.IdOf(first), firstId);

    table.KeepOnly({second});
    EXPECT_FALSE(table.HandleOf(firstId).has_value());
    EXPECT_EQ(table.HandleOf(secondId), second);
    EXPECT_NE(table.IdOf(first), firstId);  // back again: a new id, never a stale one
}

TEST(RasRecordsTest, ConnectionsThatDoNotFitAreCountedAndNotWritten) {
    RasHandleTable table;
    const std::vector<ListedConnection> listed = {{0x7FF000000001, "Numéris", "PPPoE", "WAN"},
                                                  {0x7FF000000002, "ADSL", "PPPoE", "WAN 2"}};
    ras::RasConn records[2]{};
    records[0].dwSize = ras::kRasConnSize;
    uint32_t room = ras::kRasConnSize;
    uint32_t count = 0;
    EXPECT_EQ(FillConnections(listed, table, records, room, count), ras::kErrorBufferTooSmall);
    EXPECT_EQ(room, 2 * ras::kRasConnSize);
    EXPECT_EQ(count, 2u);
    EXPECT_EQ(records[0].hrasconn, 0u);

    EXPECT_EQ(FillConnections(listed, table, records, room, count), ras::kSuccess);
    EXPECT_EQ(std::string(records[1].szEntryName), "ADSL");
    EXPECT_EQ(std::string(records[1].szDeviceName), "WAN 2");
    EXPECT_EQ(records[1].dwSize, ras::kRasConnSize);
    EXPECT_EQ(table.HandleOf(records[1].hrasconn), 0x7FF000000002u);
}

TEST(RasRecordsTest, MoreRecordsAreOfferedUpToWhatA32BitRoomHolds) {
    EXPECT_EQ(RecordsToOffer(8, 12, 0, 412), 12u);
    EXPECT_EQ(RecordsToOffer(8, 3, 0, 412), 16u);
    EXPECT_EQ(RecordsToOffer(0, 0, 0, 412), 1u);
    EXPECT_EQ(RecordsToOffer(8, UINT32_MAX, 0, 412), UINT32_MAX / 412);
    EXPECT_EQ(RecordsToOffer(UINT32_MAX / 2 + 1, 0, 0, 1), UINT32_MAX);
}

}  // namespace
}  // namespace velnix::windows_platform
