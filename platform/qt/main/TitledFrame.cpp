#include "platform/qt/main/TitledFrame.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

namespace velnix::qt_platform {

namespace {
constexpr int kTitleIndent = 8;  // logical pixels from the left edge to the title
constexpr int kTitlePadding = 2;
}  // namespace

TitledFrame::TitledFrame(const QString& title, const QColor& titleColour, QWidget* parent)
    : QWidget(parent), title_(title), titleColour_(titleColour) {}

// The etched border is two lines thick, on the title's middle and along the other three sides.
QRect TitledFrame::Inside() const {
    const int lineY = QFontMetrics(font()).height() / 2;
    return {2, lineY + 2, width() - 4, height() - lineY - 4};
}

// The frame paints only its border and title: a repaint inside the border (one of its labels
// changed) that reaches neither draws nothing. A logical pixel's margin keeps the border whole
// at fractional scales, where its lines and the repainted area share device pixels.
void TitledFrame::paintEvent(QPaintEvent* event) {
    const QFontMetrics metrics(font());
    if (titleWidth_ < 0) titleWidth_ = metrics.horizontalAdvance(title_);
    const QRect titleRect(kTitleIndent - kTitlePadding, 0, titleWidth_ + 2 * kTitlePadding,
                          metrics.height());
    const QRegion& region = event->region();
    const bool borderReached = !region.subtracted(Inside().adjusted(1, 1, -1, -1)).isEmpty();
    const bool titleReached = region.intersects(titleRect);
    if (!borderReached && !titleReached) return;

    QPainter painter(this);
    if (borderReached) {
        const int lineY = metrics.height() / 2;
        const QRect border(0, lineY, width() - 2, height() - lineY - 2);
        // Etched: a dark line with a light one one pixel right and below.
        painter.setPen(QColor(128, 128, 128));
        painter.drawRect(border);
        painter.setPen(Qt::white);
        painter.drawRect(border.translated(1, 1));
    }
    if (titleReached) {
        painter.fillRect(titleRect, Qt::black);
        painter.setPen(titleColour_);
        painter.drawText(titleRect, Qt::AlignCenter, title_);
    }
}

void TitledFrame::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) titleWidth_ = -1;
    QWidget::changeEvent(event);
}

}  // namespace velnix::qt_platform
