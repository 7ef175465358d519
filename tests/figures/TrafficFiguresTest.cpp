#include "ui/main/TrafficFigures.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace velnix {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

std::string Spaces(int count) { return std::string(static_cast<std::size_t>(count), ' '); }

// The designed examples: the pattern's spaces stay in front of a short number.
TEST(FormatSizeTest, DesignedExamplesKeepThePatternsLeadingSpaces) {
    EXPECT_EQ(FormatSize(0), Spaces(4) + "0 octets");
    EXPECT_EQ(FormatSize(1023), Spaces(3) + "1 023 octets");
    EXPECT_EQ(FormatSize(1024), Spaces(4) + "1,00 Ko");
    EXPECT_EQ(FormatSize(1048575), Spaces(3) + "1 024,00 Ko");
    EXPECT_EQ(FormatSize(1048576), Spaces(4) + "1,00 Mo");
    EXPECT_EQ(FormatSize(123456789), Spaces(4) + "117,74 Mo");
    EXPECT_EQ(FormatSize(1073741824), Spaces(4) + "1,00 Go");
    EXPECT_EQ(FormatSize(kMax), Spaces(4) + "2,00 Go");
}

TEST(FormatSizeTest, UnitBordersSwitchAtPowersOf1024) {
    EXPECT_EQ(FormatSize(1), Spaces(4) + "1 octets");
    EXPECT_EQ(FormatSize(999), Spaces(4) + "999 octets");
    EXPECT_EQ(FormatSize(1073741823), Spaces(3) + "1 024,00 Mo");
    EXPECT_EQ(FormatSize(1536), Spaces(4) + "1,50 Ko");
}

TEST(FormatSizeTest, HalvesRoundAwayFromZero) {
    EXPECT_EQ(FormatSize(1152), Spaces(4) + "1,13 Ko");    // 1.125
    EXPECT_EQ(FormatSize(2688), Spaces(4) + "2,63 Ko");    // 2.625
    EXPECT_EQ(FormatSize(1151), Spaces(4) + "1,12 Ko");    // 1.1240234375
    EXPECT_EQ(FormatSize(10239), Spaces(4) + "10,00 Ko");  // 9.9990234375 carries a digit
}

TEST(FormatSizeTest, NegativeValuesStayInOctetsWithTheirSignInFront) {
    EXPECT_EQ(FormatSize(-1), "-" + Spaces(4) + "1 octets");
    EXPECT_EQ(FormatSize(-1024), "-" + Spaces(3) + "1 024 octets");
    EXPECT_EQ(FormatSize(-123456789), "-" + Spaces(2) + "123 456 789 octets");
    EXPECT_EQ(FormatSize(kMin), "- 2 147 483 648 octets");
}

TEST(FormatSizeTest, UsesTheGivenDecimalSeparator) {
    EXPECT_EQ(FormatSize(1536, "."), Spaces(4) + "1.50 Ko");
    EXPECT_EQ(FormatSize(1023, "."), Spaces(3) + "1 023 octets");
}

TEST(FormatDurationTest, DesignedExamples) {
    EXPECT_EQ(FormatDuration(0), "00:00:00");
    EXPECT_EQ(FormatDuration(3723999), "01:02:03");
    EXPECT_EQ(FormatDuration(360000000), "100:00:00");
    EXPECT_EQ(FormatDuration(kMax), "596:31:23");
}

TEST(FormatDurationTest, MillisecondsAreCutOff) {
    EXPECT_EQ(FormatDuration(999), "00:00:00");
    EXPECT_EQ(FormatDuration(59999), "00:00:59");
    EXPECT_EQ(FormatDuration(60000), "00:01:00");
    EXPECT_EQ(FormatDuration(3599999), "00:59:59");
    EXPECT_EQ(FormatDuration(3600000), "01:00:00");
}

TEST(FormatDurationTest, NegativeDurationsRoundDown) {
    EXPECT_EQ(FormatDuration(-1), "-01:59:59");
    EXPECT_EQ(FormatDuration(-1000), "-01:59:59");
    EXPECT_EQ(FormatDuration(-1001), "-01:59:58");
    EXPECT_EQ(FormatDuration(-3600000), "-01:00:00");
    EXPECT_EQ(FormatDuration(kMin), "-597:28:36");
}

}  // namespace
}  // namespace velnix
