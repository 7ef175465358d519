#include "platform/windows/main/WindowsImageList.h"

#include "common/Errors.h"
#include "platform/windows/main/ResourceIds.h"
#include "platform/windows/main/WindowsPicture.h"

namespace velnix::windows_platform {

WindowsImageList::WindowsImageList() {
    images_.emplace_back("Connected", std::make_shared<WindowsPicture>(VELNIX_ICON_CONNECTED, 16));
    images_.emplace_back("Disconnected",
                         std::make_shared<WindowsPicture>(VELNIX_ICON_DISCONNECTED, 16));
}

PictureRef WindowsImageList::ByIndex(int position) const {
    if (position < 1 || position > static_cast<int>(images_.size())) {
        throw OutOfRangeError("aucune image à la position " + std::to_string(position));
    }
    return images_[static_cast<size_t>(position - 1)].second;
}

PictureRef WindowsImageList::ByKey(std::string_view key) const {
    for (const auto& [imageKey, picture] : images_) {
        if (imageKey == key) return picture;
    }
    throw OutOfRangeError("aucune image de clé " + std::string(key));
}

}  // namespace velnix::windows_platform
