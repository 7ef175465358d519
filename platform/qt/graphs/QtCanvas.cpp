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

// The sunken two-pixel panel of the window style around `r`, each edge a filled strip rather than
// a stroked line: dark and light outside, shadow and midlight inside, top-left then bottom-right.
void DrawSunkenPanel(QPainter& painter, const QRect& panel, const QPalette& colours) {
    const auto corner = [&](int inset, const QColor& topLeft, const QColor& bottomRight) {
        const int x = panel.x() + inset;
        const int y = panel.y() + inset;
        const int w = panel.width() - 2 * inset;
        const int h = panel.height() - 2 * inset;
        painter.fillRect(x, y, 1, h - 1, topLeft);
        painter.fillRect(x, y, w - 1, 1, topLeft);
        painter.fillRect(x, y + h - 1, w, 1, bottomRight);
        painter.fillRect(x + w - 1, y, 1, h, bottomRight);
    };
    corner(0, colours.dark().color(), colours.light().color());
    corner(1, colours.shadow().color(), colours.midlight().color());
}

}  // namespace

QtCanvas::QtCanvas(const QColor& penColour, QWidget* parent) : QFrame(parent), pen_(penColour) {
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setFixedSize(TwipsToPixels(kWidthTwips), TwipsToPixels(kHeightTwips));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::black);
    setPalette(colours);
    setAttribute(Qt::WA_OpaquePaintEvent);  // black, filled by the paint itself
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
    painter.fillRect(rect(), palette().window());
    // The style's sunken panel, drawn directly where a logical pixel is a device pixel, since the
    // style's stroked lines cost far more; scaled, they fall on device pixels in their own way.
    if (painter.deviceTransform().type() <= QTransform::TxTranslate) {
        DrawSunkenPanel(painter, frameRect(), palette());
    } else {
        qDrawWinPanel(&painter, frameRect(), palette(), true);
    }
    painter.setClipRect(inner_);
    // Pixel centres: a one-pixel pen then covers exactly the rows and columns it passes, at
    // any device pixel ratio.
    painter.translate(inner_.left() + 0.5, inner_.top() + 0.5);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(pen_, 1.0, Qt::SolidLine, Qt::SquareCap));
    painter.drawLines(lines_.data(), static_cast<int>(lines_.size()));
}

}  // namespace velnix::qt_platform
