#pragma once

#include <QIcon>
#include <QString>

#include "ui/main/Picture.h"

namespace velnix::qt_platform {

// A picture of the program: an icon drawn at every size it is shown at.
class QtPicture : public Picture {
  public:
    explicit QtPicture(QIcon pictureIcon) : icon(std::move(pictureIcon)) {}
    QIcon icon;
};

// The icon of a picture made by this layer; an empty icon for no picture.
QIcon IconOf(const PictureRef& picture);

// An icon rendered from one of the program's SVG resources, at the usual icon sizes.
QIcon SvgIcon(const QString& resource);

// One rendering of an SVG resource for a label of `logicalSize` on a screen of `pixelRatio`.
QPixmap SvgPixmap(const QString& resource, int logicalSize, qreal pixelRatio);

}  // namespace velnix::qt_platform
