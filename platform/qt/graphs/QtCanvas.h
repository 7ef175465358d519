#pragma once

#include <QColor>
#include <QFrame>
#include <QLineF>
#include <QPaintEvent>
#include <QWidget>
#include <vector>

#include "ui/main/Canvas.h"

namespace velnix::qt_platform {

// A graph canvas: black, with a sunken two-pixel 3D border, 1920 x 795 twips (128 x 53 logical
// pixels at 15 twips a pixel) around an inner area of 1860 x 735 twips. It keeps the lines
// drawn since the last Clear and paints them again whenever asked, in one pen colour.
class QtCanvas : public QFrame, public Canvas {
  public:
    static constexpr int kWidthTwips = 1920;
    static constexpr int kHeightTwips = 795;

    explicit QtCanvas(const QColor& penColour, QWidget* parent = nullptr);

    void Clear() override;
    void SetVerticalExtent(float extent) override;
    float VerticalExtent() const override;
    void Line(float x1, float y1, float x2, float y2) override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    // A point in scale units, as logical pixels from the inner area's top-left pixel centre:
    // x 0..64 spans the first to the last column, y 0..extent the first to the last row.
    QPointF ToPixels(float x, float y) const;

    void UpdateOnce();

    QColor pen_;
    float extent_ = 100.0F;
    QRect inner_;                 // the area inside the border, which keeps its size
    std::vector<QLineF> lines_;   // in inner-area logical pixels, already scaled
    bool updatePending_ = false;  // a paint is asked for and has not run yet
};

}  // namespace velnix::qt_platform
