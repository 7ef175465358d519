#pragma once

#include <memory>

namespace velnix {

// A picture handed between the image list, the window's controls and the notification-area
// icon. What it holds is the toolkit's business; the window logic only passes it on.
class Picture {
  public:
    virtual ~Picture() = default;
};

using PictureRef = std::shared_ptr<const Picture>;

}  // namespace velnix
