#include <gtest/gtest.h>

#include "platform/windows/main/MainLayout.h"
#include "platform/windows/main/WindowsCanvas.h"

namespace velnix::windows_platform {
namespace {

struct Placement {
    int id;
    UINT dpi;
    RECT pixels;
};

bool Same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The designed twips, rounded as the system rounds them; controls drawn in a frame are placed
// at the frame's offset plus their own.
TEST(MainLayoutTest, PlacesControlsFromTheirTwipsAtTheWindowsDpi) {
    const Placement cases[] = {
        {107, 96, {70, 72, 75, 87}},      // lblOctetsRecus, in Frame1
        {113, 96, {196, 92, 203, 107}},   // lblVitesseU, in Frame2
        {115, 96, {144, 116, 272, 169}},  // picGraphU
        {117, 96, {40, 176, 137, 201}},   // CmdCon
        {117, 144, {60, 264, 206, 302}},  // CmdCon at 150 %
    };
    for (const Placement& placement : cases) {
        const RECT actual = PixelRect(SpecOf(placement.id).box, placement.dpi);
        EXPECT_TRUE(Same(actual, placement.pixels))
            << "control " << placement.id << " at " << placement.dpi << " dpi: " << actual.left
            << "," << actual.top << "," << actual.right << "," << actual.bottom;
    }
    EXPECT_TRUE(Same(PixelRect(kMainClient, 96), RECT{0, 0, 281, 208}));
}

// The user scale spans the inner area: 0 on its first pixel, 64 and the extent on its last.
TEST(MainLayoutTest, GraphScaleSpansTheInnerArea) {
    const SIZE inner{125, 49};
    const struct {
        float x;
        float y;
        POINT expected;
    } cases[] = {{0, 0, {0, 0}}, {64, 200, {124, 48}}, {32, 100, {62, 24}}, {16, 50, {31, 12}}};
    for (const auto& point : cases) {
        const POINT actual = GraphPoint(point.x, point.y, 200.0F, inner);
        EXPECT_EQ(actual.x, point.expected.x) << point.x;
        EXPECT_EQ(actual.y, point.expected.y) << point.y;
    }
}

}  // namespace
}  // namespace velnix::windows_platform
