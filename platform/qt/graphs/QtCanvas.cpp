#include "platform/qt/graphs/QtCanvas.h"

#include <qdrawutil.h>
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
    inner_ = contentsRect();
}

void QtCanvas::Clear() {
    lines_.clear();
    UpdateOnce();
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
    UpdateOnce();
}

// A graph is drawn line by line: one paint, once the tick is over, shows them all.
void QtCanvas::UpdateOnce() {
    if (updatePending_) return;
    updatePending_ = true;
    update();
}

QPointF QtCanvas::ToPixels(float x, float y) const {
    return {double(x) * (inner_.width() - 1) / kHorizontalExtent,
            double(y) * (inner_.height() - 1) / extent_};
}

void QtCanvas::paintEvent(QPaintEvent* /*event*/) {
    updatePending_ = false;
    QPainter painter(this);
    // The border as the window style draws a sunken panel, without going through the style.
    qDrawWinPanel(&painter, frameRect(), palette(), true);
    painter.setClipRect(inner_);
    // Pixel centres: a one-pixel pen then covers exactly the rows and columns it passes, at
    // any device pixel ratio.
    painter.translate(inner_.left() + 0.5, inner_.top() + 0.5);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(pen_, 1.0, Qt::SolidLine, Qt::SquareCap));
    painter.drawLines(lines_.data(), static_cast<int>(lines_.size()));
}

}  // namespace velnix::qt_platform
