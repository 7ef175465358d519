#include "ui/main/SpeedGraphs.h"

#include "common/Guarded.h"
#include "common/Int32.h"

namespace velnix {

SpeedGraphs::SpeedGraphs(Canvas& lPicGraphD, Canvas& lPicGraphU)
    : picGraphD(lPicGraphD), picGraphU(lPicGraphU) {}

void SpeedGraphs::PlotSpeeds(int32_t lVitesseD, int32_t lVitesseU) {
    constexpr int kNewest = kSampleCount - 1;
    for (int i = 0; i < kNewest; ++i) {
        mVitessesD[i] = mVitessesD[i + 1];
        mVitessesU[i] = mVitessesU[i + 1];
    }
    mVitessesD[kNewest] = lVitesseD;
    mVitessesU[kNewest] = lVitesseU;

    // The peak of the 64 older samples of both directions; the newest is not looked at.
    int32_t peak = 0;
    for (int i = 0; i < kNewest; ++i) {
        if (peak < mVitessesD[i]) {
            peak = mVitessesD[i];
        }
        if (peak < mVitessesU[i]) {
            peak = mVitessesU[i];
        }
    }

    Guarded([&] { picGraphD.Clear(); });
    Guarded([&] { picGraphU.Clear(); });
    Guarded([&] { picGraphD.SetVerticalExtent(static_cast<float>(CheckedAdd(peak, 5))); });
    Guarded([&] { picGraphU.SetVerticalExtent(static_cast<float>(CheckedAdd(peak, 5))); });

    auto segment = [](Canvas& canvas, const Samples& samples, int i) {
        Guarded([&] {
            const double extent = canvas.VerticalExtent();
            canvas.Line(static_cast<float>(i), static_cast<float>(extent - samples[i]),
                        static_cast<float>(i + 1), static_cast<float>(extent - samples[i + 1]));
        });
    };
    for (int i = 0; i < kNewest; ++i) {
        segment(picGraphD, mVitessesD, i);
        segment(picGraphU, mVitessesU, i);
    }
}

}  // namespace velnix
