#include "platform/qt/main/QtPicture.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// The pictures are compiled into a static library: register them before the first use.
static void InitPictureResources() { Q_INIT_RESOURCE(velnix_main); }

namespace velnix::qt_platform {

QIcon IconOf(const PictureRef& picture) {
    const auto* qtPicture = dynamic_cast<const QtPicture*>(picture.get());
    return qtPicture ? qtPicture->icon : QIcon();
}

QPixmap SvgPixmap(const QString& resource, int logicalSize, qreal pixelRatio) {
    static const bool registered = (InitPictureResources(), true);
    (void)registered;
    const int side = qRound(logicalSize * pixelRatio);
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(pixelRatio);
    return pixmap;
}

QIcon SvgIcon(const QString& resource) {
    QIcon icon;
    for (const int side : {16, 20, 22, 24, 32, 40, 48, 64}) {
        icon.addPixmap(SvgPixmap(resource, side, 1.0));
    }
    return icon;
}

}  // namespace velnix::qt_platform
