#pragma once

#include <array>
#include <cstdint>

#include "ui/main/Canvas.h"

namespace velnix {

// The last 65 download and upload speed samples and their two graphs, redrawn from scratch on
// every new pair with one vertical scale shared by both directions.
class SpeedGraphs {
  public:
    static constexpr int kSampleCount = 65;
    using Samples = std::array<int32_t, kSampleCount>;

    SpeedGraphs(Canvas& picGraphD, Canvas& picGraphU);

    // Takes the bytes received and sent during the last tick and redraws both graphs. Never
    // throws: a step that fails is skipped and the next one runs.
    void PlotSpeeds(int32_t lVitesseD, int32_t lVitesseU);

    // Index 0 is the oldest sample, index 64 the newest.
    const Samples& VitessesD() const { return mVitessesD; }
    const Samples& VitessesU() const { return mVitessesU; }

  private:
    Canvas& picGraphD;
    Canvas& picGraphU;
    Samples mVitessesD{};
    Samples mVitessesU{};
};

}  // namespace velnix
