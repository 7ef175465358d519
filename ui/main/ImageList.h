#pragma once

#include <string_view>

#include "ui/main/Picture.h"

namespace velnix {

// The window's 16x16 status pictures, in this order: key "Connected", key "Disconnected".
class ImageList {
  public:
    virtual ~ImageList() = default;

    // By position, from 1. Throws OutOfRangeError for a position that holds no picture.
    virtual PictureRef ByIndex(int position) const = 0;
    // Throws OutOfRangeError for an unknown key.
    virtual PictureRef ByKey(std::string_view key) const = 0;
};

}  // namespace velnix
