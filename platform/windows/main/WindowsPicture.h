#pragma once

#include <windows.h>

#include "platform/windows/system/Handles.h"
#include "ui/main/Picture.h"

namespace velnix::windows_platform {

// An icon of the program's resources at a given size in pixels, owned by the picture.
class WindowsPicture : public Picture {
  public:
    WindowsPicture(int resource, int size);
    HICON Icon() const { return icon_.Get(); }

  private:
    UniqueIcon icon_;
};

// The icon a picture handed over by the window logic holds; none for an empty reference.
HICON IconOf(const PictureRef& picture);

}  // namespace velnix::windows_platform
