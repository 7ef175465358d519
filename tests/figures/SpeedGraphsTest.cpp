#include "ui/main/SpeedGraphs.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "testsupport/RecordingCanvas.h"

namespace velnix {
namespace {

using testing::RecordingCanvas;
using Segment = RecordingCanvas::Segment;

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

class SpeedGraphsTest : public ::testing::Test {
  protected:
    void PlotZeros(int calls) {
        for (int i = 0; i < calls; ++i) {
            graphs.PlotSpeeds(0, 0);
        }
    }

    RecordingCanvas download;
    RecordingCanvas upload;
    SpeedGraphs graphs{download, upload};
};

TEST_F(SpeedGraphsTest, FirstCallDrawsAFlatLineOnTheBottomEdgeOfBothGraphs) {
    graphs.PlotSpeeds(0, 0);

    for (const RecordingCanvas* canvas : {&download, &upload}) {
        EXPECT_EQ(canvas->clears, 1);
        EXPECT_THAT(canvas->extentsSet, ::testing::ElementsAre(5.0F));
        ASSERT_EQ(canvas->lines.size(), 64U);
        for (int i = 0; i < 64; ++i) {
            EXPECT_EQ(canvas->lines[i], (Segment{float(i), 5.0F, float(i + 1), 5.0F}));
        }
        EXPECT_EQ(canvas->journal.front(), "Clear");
        EXPECT_EQ(canvas->journal[1], "SetVerticalExtent 5");
    }
}

TEST_F(SpeedGraphsTest, KeepsTheNewestSampleAtTheRightEnd) {
    graphs.PlotSpeeds(10, 1);
    graphs.PlotSpeeds(20, 2);
    graphs.PlotSpeeds(30, 3);

    EXPECT_EQ(graphs.VitessesD()[62], 10);
    EXPECT_EQ(graphs.VitessesD()[64], 30);
    EXPECT_EQ(graphs.VitessesU()[63], 2);
    EXPECT_EQ(graphs.VitessesD()[61], 0);
    // Each call redraws from scratch: 64 segments, the last one ending on the newest sample.
    EXPECT_EQ(download.clears, 3);
    ASSERT_EQ(download.lines.size(), 64U);
    const float extent = 20.0F + 5.0F;  // the peak of the older samples: 20 and 2
    EXPECT_EQ(download.lines.back(), (Segment{63.0F, extent - 20, 64.0F, extent - 30}));
    EXPECT_EQ(upload.lines.back(), (Segment{63.0F, extent - 2, 64.0F, extent - 3}));
}

TEST_F(SpeedGraphsTest, BothGraphsShareTheExtentOfThePeakOfBothDirections) {
    graphs.PlotSpeeds(0, 300);
    graphs.PlotSpeeds(100, 0);
    graphs.PlotSpeeds(0, 0);

    EXPECT_THAT(download.extentsSet, ::testing::ElementsAre(5.0F, 305.0F, 305.0F));
    EXPECT_EQ(upload.extentsSet, download.extentsSet);
}

TEST_F(SpeedGraphsTest, APeakIsDrawnOffTheTopUntilTheScaleCatchesUpOnTheNextCall) {
    PlotZeros(10);
    graphs.PlotSpeeds(1000, 0);
    EXPECT_EQ(download.extent, 5.0F);
    EXPECT_EQ(download.lines.back(), (Segment{63.0F, 5.0F, 64.0F, -995.0F}));

    graphs.PlotSpeeds(0, 0);
    EXPECT_EQ(download.extent, 1005.0F);
    EXPECT_EQ(upload.extent, 1005.0F);  // the idle direction shows the same scale
    EXPECT_EQ(download.lines[62], (Segment{62.0F, 1005.0F, 63.0F, 5.0F}));

    // The peak counts for 64 calls in all, until it leaves index 0.
    PlotZeros(63);
    EXPECT_EQ(graphs.VitessesD()[0], 1000);
    EXPECT_EQ(download.extent, 1005.0F);
    graphs.PlotSpeeds(0, 0);
    EXPECT_EQ(download.extent, 5.0F);
}

TEST_F(SpeedGraphsTest, NegativeSamplesKeepTheExtentAtFiveAndLieBelowTheBottom) {
    graphs.PlotSpeeds(-50, -7);
    graphs.PlotSpeeds(-1, -kMax);

    EXPECT_EQ(download.extent, 5.0F);
    EXPECT_EQ(upload.extent, 5.0F);
    EXPECT_EQ(download.lines[62], (Segment{62.0F, 5.0F, 63.0F, 55.0F}));
    EXPECT_EQ(upload.lines.back(), (Segment{63.0F, 12.0F, 64.0F, 5.0F + float(kMax)}));
}

TEST_F(SpeedGraphsTest, AnOverflowingExtentKeepsThePreviousOneAndStillDraws) {
    graphs.PlotSpeeds(100, 0);
    graphs.PlotSpeeds(kMax, 0);
    graphs.PlotSpeeds(0, 0);  // the peak is now kMax: kMax + 5 overflows

    EXPECT_THAT(download.extentsSet, ::testing::ElementsAre(5.0F, 105.0F));
    EXPECT_THAT(upload.extentsSet, ::testing::ElementsAre(5.0F, 105.0F));
    EXPECT_EQ(download.extent, 105.0F);
    EXPECT_EQ(download.clears, 3);
    EXPECT_EQ(download.lines.size(), 64U);
    EXPECT_EQ(upload.lines.size(), 64U);
    EXPECT_EQ(download.lines[63], (Segment{63.0F, float(105.0 - kMax), 64.0F, 105.0F}));
}

TEST_F(SpeedGraphsTest, APeakFiveBelowTheLimitGivesTheLargestExtent) {
    graphs.PlotSpeeds(kMax - 5, 0);
    graphs.PlotSpeeds(0, 0);
    EXPECT_EQ(download.extent, static_cast<float>(kMax));
    EXPECT_EQ(upload.extent, static_cast<float>(kMax));
}

TEST_F(SpeedGraphsTest, AFailingStepDoesNotStopTheOthers) {
    download.failNextClear = true;
    upload.failNextSetExtent = true;
    download.failNextLine = true;
    graphs.PlotSpeeds(0, 0);

    EXPECT_EQ(download.clears, 0);
    EXPECT_EQ(upload.clears, 1);
    EXPECT_THAT(download.extentsSet, ::testing::ElementsAre(5.0F));
    EXPECT_TRUE(upload.extentsSet.empty());
    EXPECT_EQ(download.lines.size(), 63U);  // only the first segment was lost
    EXPECT_EQ(download.lines.front(), (Segment{1.0F, 5.0F, 2.0F, 5.0F}));
    ASSERT_EQ(upload.lines.size(), 64U);
    EXPECT_EQ(upload.lines.front(), (Segment{0.0F, 100.0F, 1.0F, 100.0F}));  // designed extent
}

}  // namespace
}  // namespace velnix
