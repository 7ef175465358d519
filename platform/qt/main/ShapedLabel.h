#pragma once

#include <QSize>
#include <QString>
#include <QTextLayout>
#include <QWidget>
#include <optional>

#include "platform/qt/main/GlyphCache.h"

namespace velnix::qt_platform {

// A plain-text label that shapes its text once per change and keeps it: its size hint is the
// kept text's size, and it paints the kept glyphs, pixel for pixel as a QLabel with the same
// text, font, palette and alignment (but for tabs in a centred text, which QLabel sizes as stops
// and paints as spaces: here they are spaces). A text that needs no shaping beyond kerning (a
// figure) is laid from the glyphs its characters and their pairs had before, shaping nothing. It
// asks for a new layout only when its size changes; hidden, it shapes its text only once asked
// its size or painted. Opaque (Qt::WA_OpaquePaintEvent), it fills its rectangle with its window
// colour, so that nothing under it is painted again.
class ShapedLabel : public QWidget {
  public:
    // `glyphs` outlives the label.
    ShapedLabel(const QString& text, Qt::Alignment alignment, GlyphCache& glyphs, QWidget* parent);

    const QString& text() const { return text_; }
    void setText(const QString& text);
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void Reshape();
    bool Shape() const;              // whether the size changed
    bool Resized(QSize size) const;  // keeps the new size: whether it changed

    QString text_;
    Qt::Alignment alignment_;
    GlyphCache& glyphs_;
    mutable std::optional<GlyphCache::Line> line_;  // a text laid without shaping
    mutable QTextLayout layout_;                    // any other text
    mutable bool shaped_ = false;
    mutable qreal textWidth_ = 0;
    mutable qreal textHeight_ = 0;
    mutable QSize size_;
};

}  // namespace velnix::qt_platform
