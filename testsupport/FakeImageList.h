#pragma once

#include <string>
#include <vector>

#include "ui/main/ImageList.h"

namespace velnix::testing {

// A picture known by its name.
class FakePicture : public Picture {
  public:
    explicit FakePicture(std::string pictureName) : name(std::move(pictureName)) {}
    std::string name;
};

// The name of a FakePicture, "none" for no picture.
std::string PictureName(const PictureRef& picture);

// The two status pictures, named after their keys, in the order "Connected", "Disconnected".
// Clearing `keys` makes every lookup fail like a missing image.
class FakeImageList : public ImageList {
  public:
    PictureRef ByIndex(int position) const override;
    PictureRef ByKey(std::string_view key) const override;

    std::vector<std::string> keys{"Connected", "Disconnected"};
};

}  // namespace velnix::testing
