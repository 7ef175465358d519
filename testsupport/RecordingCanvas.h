#pragma once

#include <string>
#include <vector>

#include "ui/main/Canvas.h"

namespace velnix::testing {

// A canvas that records what is done to it. The journal keeps every operation in order
// ("Clear", "SetVerticalExtent 105", "Line 0 105 1 100"); `lines` keeps the lines drawn since
// the last Clear. A failure can be armed for the next Clear, SetVerticalExtent or Line.
class RecordingCanvas : public Canvas {
  public:
    struct Segment {
        float x1, y1, x2, y2;
        bool operator==(const Segment&) const = default;
    };

    void Clear() override;
    void SetVerticalExtent(float extent) override;
    float VerticalExtent() const override;
    void Line(float x1, float y1, float x2, float y2) override;

    float extent = 100.0F;  // as designed, until the first SetVerticalExtent
    int clears = 0;
    std::vector<float> extentsSet;
    std::vector<Segment> lines;
    std::vector<std::string> journal;

    // The next call of that operation throws instead of acting (once each).
    bool failNextClear = false;
    bool failNextSetExtent = false;
    bool failNextLine = false;
};

}  // namespace velnix::testing
