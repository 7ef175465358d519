#pragma once

#include <string>
#include <utility>
#include <vector>

#include "ui/main/ImageList.h"

namespace velnix::windows_platform {

// The two 16x16 status pictures, from the program's resources.
class WindowsImageList : public ImageList {
  public:
    WindowsImageList();
    PictureRef ByIndex(int position) const override;
    PictureRef ByKey(std::string_view key) const override;

  private:
    std::vector<std::pair<std::string, PictureRef>> images_;
};

}  // namespace velnix::windows_platform
