#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <QWidget>

namespace velnix::qt_platform {

// A frame on the black window: an etched border with its title, in the frame's colour, set
// into the top edge. Its children are placed from its outer top-left corner.
class TitledFrame : public QWidget {
  public:
    TitledFrame(const QString& title, const QColor& titleColour, QWidget* parent);

    // The area inside the border, in the frame's coordinates.
    QRect Inside() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    QString title_;
    QColor titleColour_;
    int titleWidth_ = -1;  // measured on the first paint in the frame's font
};

}  // namespace velnix::qt_platform
