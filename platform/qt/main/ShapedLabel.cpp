#include "platform/qt/main/ShapedLabel.h"

#include <algorithm>
#include <cmath>

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextOption>

namespace velnix::qt_platform {

ShapedLabel::ShapedLabel(const QString& text, Qt::Alignment alignment, GlyphCache& glyphs,
                         QWidget* parent)
    : QWidget(parent), text_(text), alignment_(alignment), glyphs_(glyphs) {
    QTextOption option;
    option.setTextDirection(Qt::LeftToRight);
    option.setAlignment(Qt::AlignLeft);  // each line is placed when painted
    layout_.setTextOption(option);
    layout_.setCacheEnabled(true);  // the shaped glyphs stay for every paint
}

void ShapedLabel::setText(const QString& text) {
    if (text == text_) return;
    text_ = text;
    Reshape();
}

QSize ShapedLabel::sizeHint() const {
    if (!shaped_) Shape();
    return size_;
}

// Shown, the text is shaped at once, and a new layout asked only for a new size; hidden, it is
// shaped once asked its size or painted.
void ShapedLabel::Reshape() {
    shaped_ = false;
    update();
    if (isVisible() && !Shape()) return;
    updateGeometry();
}

// The text is laid out as QPainter lays out a QLabel's: carriage returns as spaces, tabs up to the
// next stop every eight x when aligned left and as spaces otherwise, line feeds as line breaks,
// each line on a whole pixel, a font line height for an empty text.
bool ShapedLabel::Shape() const {
    shaped_ = true;
    const bool expandTabs = alignment_ & Qt::AlignLeft;
    QString shown = text_;
    for (QChar& character : shown) {
        if (character == u'\r' || (character == u'\t' && !expandTabs)) character = u' ';
        if (character == u'\n') character = QChar::LineSeparator;
    }
    const QFont shownFont(font(), this);
    line_ = glyphs_.Lay(shownFont, shown);
    if (line_) {
        textWidth_ = line_->width;
        textHeight_ = line_->ascent + line_->descent;
        return Resized(QRectF(0, 0, textWidth_, textHeight_).toAlignedRect().size());
    }
    layout_.setFont(shownFont);
    if (expandTabs) {
        QTextOption option = layout_.textOption();
        option.setTabStopDistance(
            qRound(QFontMetricsF(layout_.font()).horizontalAdvance(u'x') * 8));
        layout_.setTextOption(option);
    }
    layout_.setText(shown);
    textWidth_ = 0;
    textHeight_ = 0;
    QSize size;
    if (shown.isEmpty()) {
        const QFontMetrics metrics(font());
        size = QSize(metrics.averageCharWidth(), metrics.lineSpacing());
    } else {
        const qreal leading = QFontMetricsF(layout_.font()).leading();
        textHeight_ = -leading;
        layout_.beginLayout();
        for (QTextLine line = layout_.createLine(); line.isValid(); line = layout_.createLine()) {
            line.setLineWidth(kUnboundedLine);
            textHeight_ = std::ceil(textHeight_ + leading);
            line.setPosition(QPointF(0, textHeight_));
            textHeight_ += line.ascent() + line.descent();
            textWidth_ = std::max(textWidth_, line.naturalTextWidth());
        }
        layout_.endLayout();
        size = QRectF(0, 0, textWidth_, textHeight_).toAlignedRect().size();
    }
    return Resized(size);
}

bool ShapedLabel::Resized(QSize size) const {
    if (size == size_) return false;
    size_ = size;
    return true;
}

void ShapedLabel::paintEvent(QPaintEvent*) {
    const bool opaque = testAttribute(Qt::WA_OpaquePaintEvent);
    if (text_.isEmpty() && !opaque) return;
    QPainter painter(this);
    if (opaque) painter.fillRect(rect(), palette().window());
    if (text_.isEmpty()) return;
    if (!shaped_) Shape();
    const QRectF area = rect();
    qreal top = 0;
    if (alignment_ & Qt::AlignBottom) top = area.height() - textHeight_;
    if (alignment_ & Qt::AlignVCenter) top = (area.height() - textHeight_) / 2;
    qreal left = 0;
    if (alignment_ & Qt::AlignRight) left = area.width() - textWidth_;
    if (alignment_ & Qt::AlignHCenter) left = (area.width() - textWidth_) / 2;

    painter.setPen(QPen(palette().brush(foregroundRole()), painter.pen().widthF()));
    if (!area.contains(QRectF(left, top, textWidth_, textHeight_))) painter.setClipRect(area);
    if (line_) {
        // Where QTextLine::draw would place it: its origin cut to Qt's 1/64 pixel unit.
        const auto unit = [](qreal at) { return std::trunc(at * 64) / 64; };
        painter.drawGlyphRun(QPointF(unit(left), unit(top) + line_->ascent), line_->glyphs);
        return;
    }
    for (int i = 0; i < layout_.lineCount(); ++i) {
        const QTextLine line = layout_.lineAt(i);
        const qreal advance = line.horizontalAdvance();
        left = 0;
        if (alignment_ & Qt::AlignRight) left = area.width() - advance;
        if (alignment_ & Qt::AlignHCenter) left = (area.width() - advance) / 2;
        line.draw(&painter, QPointF(left, top));
    }
}

void ShapedLabel::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) Reshape();
}

}  // namespace velnix::qt_platform
