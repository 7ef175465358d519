#include "platform/windows/main/WindowsPicture.h"

#include "common/Errors.h"

namespace velnix::windows_platform {

WindowsPicture::WindowsPicture(int resource, int size)
    : icon_(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource),
                                          IMAGE_ICON, size, size, LR_DEFAULTCOLOR))) {
    if (!icon_.Get()) throw VelnixError("image introuvable dans le programme");
}

HICON IconOf(const PictureRef& picture) {
    const auto* windowsPicture = dynamic_cast<const WindowsPicture*>(picture.get());
    return windowsPicture ? windowsPicture->Icon() : nullptr;
}

}  // namespace velnix::windows_platform
