#pragma once

#include <QRect>

#include "ui/Twips.h"

namespace velnix::qt_platform {

// A control's place given in twips, in pixels.
inline QRect TwipsRect(int left, int top, int width, int height) {
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

}  // namespace velnix::qt_platform
