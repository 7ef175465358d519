#pragma once

#include <string>
#include <utility>
#include <vector>

#include "ui/main/ImageList.h"

namespace velnix::qt_platform {

// The two status pictures drawn for the program: "Connected" (a green disc with joined links)
// and "Disconnected" (a red disc with a cross), in this order.
class QtImageList : public ImageList {
  public:
    QtImageList();

    PictureRef ByIndex(int position) const override;
    PictureRef ByKey(std::string_view key) const override;

  private:
    std::vector<std::pair<std::string, PictureRef>> images_;
};

}  // namespace velnix::qt_platform
