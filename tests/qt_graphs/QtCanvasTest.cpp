#include "platform/qt/graphs/QtCanvas.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QFrame>
#include <QImage>
#include <QRect>

#include "ui/main/SpeedGraphs.h"

namespace velnix::qt_platform {
namespace {

const QColor kGreen(0, 255, 0);
const QColor kRed(255, 0, 0);

class QtCanvasTest : public ::testing::Test {
  protected:
    // The canvas as shown, one image pixel per logical pixel whatever the device pixel ratio.
    static QImage Shot(QtCanvas& canvas) {
        return canvas.grab()
            .toImage()
            .scaled(canvas.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation)
            .convertToFormat(QImage::Format_RGB32);
    }

    static int CountInRow(const QImage& image, int row, const QColor& colour) {
        int count = 0;
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixelColor(x, row) == colour ? 1 : 0;
        }
        return count;
    }

    static int CountOutside(const QImage& image, const QRect& inner, const QColor& colour) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (!inner.contains(x, y) && image.pixelColor(x, y) == colour) {
                    ++count;
                }
            }
        }
        return count;
    }

    QtCanvas download{kGreen};
    QtCanvas upload{kRed};
    SpeedGraphs graphs{download, upload};
};

TEST_F(QtCanvasTest, HasTheDesignedSizeAndInnerArea) {
    EXPECT_EQ(download.size(), QSize(128, 53));
    EXPECT_EQ(download.contentsRect(), QRect(2, 2, 124, 49));
    EXPECT_EQ(download.VerticalExtent(), 100.0F);
}

TEST_F(QtCanvasTest, TheBorderIsTheStylesSunkenPanelAtEveryDensity) {
    QFrame panel;
    panel.setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    panel.setFixedSize(download.size());
    panel.setPalette(download.palette());
    panel.setAutoFillBackground(true);
    for (const qreal ratio : {1.0, 1.5, 2.0}) {
        const auto rendered = [ratio](QWidget& widget) {
            QImage image(widget.size() * ratio, QImage::Format_RGB32);
            image.setDevicePixelRatio(ratio);
            image.fill(Qt::white);
            widget.render(&image);
            return image;
        };
        EXPECT_EQ(rendered(download), rendered(panel)) << ratio;
    }
}

TEST_F(QtCanvasTest, ZeroSamplesLieOnTheLastVisibleRowOfTheInnerArea) {
    graphs.PlotSpeeds(0, 0);
    const QImage green = Shot(download);
    const QImage red = Shot(upload);
    const QRect inner = download.contentsRect();

    EXPECT_EQ(CountInRow(green, inner.bottom(), kGreen), inner.width());
    EXPECT_EQ(CountInRow(red, inner.bottom(), kRed), inner.width());
    EXPECT_EQ(CountInRow(green, inner.bottom() - 1, kGreen), 0);
    EXPECT_EQ(green.pixelColor(inner.center()), QColor(Qt::black));
    EXPECT_EQ(CountOutside(green, inner, kGreen), 0);
}

TEST_F(QtCanvasTest, APeakReachesTheTopOnceTheScaleHasCaughtUp) {
    graphs.PlotSpeeds(1000, 0);
    graphs.PlotSpeeds(0, 0);  // the peak, now at index 63, sets the extent 1005
    const QImage green = Shot(download);
    const QRect inner = download.contentsRect();

    // 5 units below the top of 1005 is within the first inner row, near the right end.
    const int peakColumn = inner.left() + (63 * (inner.width() - 1) + 32) / 64;
    EXPECT_EQ(green.pixelColor(peakColumn, inner.top()), kGreen);
    EXPECT_EQ(green.pixelColor(inner.left(), inner.bottom()), kGreen);  // the old zeros
    EXPECT_EQ(CountOutside(green, inner, kGreen), 0);
    // The idle direction shares the scale: its zeros are on the bottom row.
    EXPECT_EQ(CountInRow(Shot(upload), inner.bottom(), kRed), inner.width());
}

TEST_F(QtCanvasTest, LinesBeyondTheEdgesAreClippedToTheInnerArea) {
    graphs.PlotSpeeds(0, 0);
    graphs.PlotSpeeds(-40, 0);   // below the bottom edge
    graphs.PlotSpeeds(5000, 0);  // far above the top edge of the extent 5
    const QRect inner = download.contentsRect();
    const QImage green = Shot(download);

    EXPECT_EQ(CountOutside(green, inner, kGreen), 0);
    EXPECT_GT(CountInRow(green, inner.top(), kGreen), 0);  // the last segment runs out at the top
    EXPECT_GT(CountInRow(green, inner.bottom(), kGreen), 0);  // and the one before at the bottom
    EXPECT_EQ(CountOutside(Shot(upload), inner, kRed), 0);
}

TEST_F(QtCanvasTest, ClearForgetsTheLines) {
    graphs.PlotSpeeds(0, 0);
    download.Clear();
    EXPECT_EQ(CountInRow(Shot(download), download.contentsRect().bottom(), kGreen), 0);
}

TEST_F(QtCanvasTest, RefusesAZeroExtent) {
    EXPECT_ANY_THROW(download.SetVerticalExtent(0.0F));
    EXPECT_EQ(download.VerticalExtent(), 100.0F);
}

TEST_F(QtCanvasTest, DrawsWholeLogicalPixelsAtTwiceTheDensity) {
    graphs.PlotSpeeds(0, 0);
    QImage image(download.size() * 2, QImage::Format_RGB32);
    image.setDevicePixelRatio(2.0);
    image.fill(Qt::white);
    download.render(&image);
    const QRect inner = download.contentsRect();

    EXPECT_EQ(CountInRow(image, 2 * inner.bottom(), kGreen), 2 * inner.width());
    EXPECT_EQ(CountInRow(image, 2 * inner.bottom() + 1, kGreen), 2 * inner.width());
    EXPECT_EQ(CountInRow(image, 2 * inner.bottom() - 1, kGreen), 0);
    EXPECT_EQ(CountInRow(image, 2 * inner.bottom() + 2, kGreen), 0);
}

}  // namespace
}  // namespace velnix::qt_platform
