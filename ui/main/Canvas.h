#pragma once

namespace velnix {

// A drawing surface with a user scale: 0 to 64 across, 0 at the top to the vertical extent at
// the bottom of the inner area; coordinates in scale units, single precision.
class Canvas {
  public:
    virtual ~Canvas() = default;

    // Fills the inner area with the background colour and forgets everything drawn.
    virtual void Clear() = 0;
    // From now on the top inner edge is 0 and the bottom inner edge is `extent`.
    virtual void SetVerticalExtent(float extent) = 0;
    virtual float VerticalExtent() const = 0;
    // A one-pixel solid line in the pen colour, clipped to the inner area.
    virtual void Line(float x1, float y1, float x2, float y2) = 0;
};

}  // namespace velnix
