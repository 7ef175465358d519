// The window's labels against Qt's own: the same size hint and the same pixels.

#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QPalette>

#include "platform/qt/main/ShapedLabel.h"

namespace velnix::qt_platform {
namespace {

// The window's font and colours, given after the text as the window does.
void Dress(QWidget& label) {
    QPalette colours = label.palette();
    colours.setColor(QPalette::Window, Qt::black);
    colours.setColor(QPalette::WindowText, QColor(128, 255, 128));
    label.setPalette(colours);
    QFont font("Comic Sans MS");
    font.setPointSizeF(8.25);
    label.setFont(font);
}

QImage Painted(QWidget& label, int width) {
    label.resize(width, label.sizeHint().height() + 4);
    QImage image(label.size(), QImage::Format_RGB32);
    label.render(&image);
    return image;
}

TEST(ShapedLabelTest, SizedAndPaintedAsQtLabels) {
    GlyphCache glyphs;  // shared by every label, as in the window
    const QStringList texts{"",
                            "0",
                            "    117,74 Mo",
                            "12,5 Ko/s",
                            "01:27:14",
                            "- 1 274 octets/s",
                            "FAI ",
                            "Connexion établie depuis :",
                            "Une connexion au nom bien plus long",
                            "Deux\nlignes\tet\rplus"};
    for (const Qt::Alignment alignment :
         {Qt::AlignLeft | Qt::AlignTop, Qt::AlignRight | Qt::AlignTop,
          Qt::AlignHCenter | Qt::AlignTop}) {
        for (const QString& text : texts) {
            // QLabel sizes a centred text's tabs as stops but paints them as spaces.
            if (alignment & Qt::AlignHCenter && text.contains(u'\t')) continue;
            QLabel reference(text);
            reference.setTextFormat(Qt::PlainText);
            reference.setAlignment(alignment);
            Dress(reference);
            ShapedLabel label(text, alignment, glyphs, nullptr);
            Dress(label);
            ASSERT_EQ(label.sizeHint(), reference.sizeHint()) << text.toStdString();
            // As wide as its text, wider, and narrower than its text.
            for (const int width : {reference.sizeHint().width(), 150, 40}) {
                EXPECT_EQ(Painted(label, width), Painted(reference, width))
                    << text.toStdString() << " " << width << " " << alignment;
            }
        }
    }
}

// A new text is shaped again: the label takes its size and its pixels.
TEST(ShapedLabelTest, TakesANewTextsSizeAndPixels) {
    GlyphCache glyphs;
    QLabel reference("FAI");
    reference.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Dress(reference);
    ShapedLabel label("Une connexion au nom bien plus long", Qt::AlignLeft | Qt::AlignTop, glyphs,
                      nullptr);
    Dress(label);
    const QImage before = Painted(label, 200);
    label.setText("FAI");
    const QImage after = Painted(label, 200);
    EXPECT_EQ(after, Painted(reference, 200));
    EXPECT_NE(after, before);
    EXPECT_EQ(label.sizeHint(), reference.sizeHint());
}

}  // namespace
}  // namespace velnix::qt_platform
