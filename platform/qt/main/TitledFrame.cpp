#include "platform/qt/main/TitledFrame.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

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

void TitledFrame::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int lineY = metrics.height() / 2;
    const QRect border(0, lineY, width() - 2, height() - lineY - 2);
    // Etched: a dark line with a light one one pixel right and below.
    painter.setPen(QColor(128, 128, 128));
    painter.drawRect(border);
    painter.setPen(Qt::white);
    painter.drawRect(border.translated(1, 1));

    if (titleWidth_ < 0) titleWidth_ = metrics.horizontalAdvance(title_);
    const QRect titleRect(kTitleIndent - kTitlePadding, 0, titleWidth_ + 2 * kTitlePadding,
                          metrics.height());
    painter.fillRect(titleRect, Qt::black);
    painter.setPen(titleColour_);
    painter.drawText(titleRect, Qt::AlignCenter, title_);
}

void TitledFrame::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) titleWidth_ = -1;
    QWidget::changeEvent(event);
}

}  // namespace velnix::qt_platform
