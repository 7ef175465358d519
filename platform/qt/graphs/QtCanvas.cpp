#include "platform/qt/graphs/QtCanvas.h"

#include <QPainter>
#include <QPalette>
#include <QPen>
#include <cmath>

#include "common/Errors.h"
#include "ui/Twips.h"

namespace velnix::qt_platform {
namespace {

constexpr float kHorizontalExtent = 64.0F;

}  // namespace

QtCanvas::QtCanvas(const QColor& penColour, QWidget* parent) : QFrame(parent), pen_(penColour) {
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setFixedSize(TwipsToPixels(kWidthTwips), TwipsToPixels(kHeightTwips));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::black);
    setPalette(colours);
    setAutoFillBackground(true);
}

void QtCanvas::Clear() {
    lines_.clear();
    update();
}

void QtCanvas::SetVerticalExtent(float extent) {
    if (extent == 0.0F || !std::isfinite(extent)) {
        throw VelnixError("Valeur de propriété non valide");
    }
    extent_ = extent;
}

float QtCanvas::VerticalExtent() const { return extent_; }

void QtCanvas::Line(float x1, float y1, float x2, float y2) {
    lines_.emplace_back(ToPixels(x1, y1), ToPixels(x2, y2));
    update();
}

QPointF QtCanvas::ToPixels(float x, float y) const {
    const QRect inner = contentsRect();
    return {double(x) * (inner.width() - 1) / kHorizontalExtent,
            double(y) * (inner.height() - 1) / extent_};
}

void QtCanvas::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);  // background and border
    const QRect inner = contentsRect();
    QPainter painter(this);
    painter.setClipRect(inner);
    // Pixel centres: a one-pixel pen then covers exactly the rows and columns it passes, at
    // any device pixel ratio.
    painter.translate(inner.left() + 0.5, inner.top() + 0.5);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(pen_, 1.0, Qt::SolidLine, Qt::SquareCap));
    painter.drawLines(lines_.data(), static_cast<int>(lines_.size()));
}

}  // namespace velnix::qt_platform
