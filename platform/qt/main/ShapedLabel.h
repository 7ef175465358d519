#pragma once

#include <QSize>
#include <QString>
#include <QTextLayout>
#include <QWidget>

namespace velnix::qt_platform {

// A plain-text label that shapes its text once per change and keeps it: its size hint is the
// kept text's size, and it paints the kept glyphs, pixel for pixel as a QLabel with the same
// text, font, palette and alignment (but for tabs in a centred text, which QLabel sizes as stops
// and paints as spaces: here they are spaces). It asks for a new layout only when its size changes.
class ShapedLabel : public QWidget {
  public:
    ShapedLabel(const QString& text, Qt::Alignment alignment, QWidget* parent);

    const QString& text() const { return text_; }
    void setText(const QString& text);
    QSize sizeHint() const override { return size_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void Shape();

    QString text_;
    Qt::Alignment alignment_;
    QTextLayout layout_;
    qreal textWidth_ = 0;
    qreal textHeight_ = 0;
    QSize size_;
};

}  // namespace velnix::qt_platform
