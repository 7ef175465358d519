#include "platform/qt/main/QtImageList.h"

#include "common/Errors.h"
#include "platform/qt/main/QtPicture.h"

namespace velnix::qt_platform {

QtImageList::QtImageList() {
    images_.emplace_back("Connected",
                         std::make_shared<QtPicture>(SvgIcon(":/velnix/connected.svg")));
    images_.emplace_back("Disconnected",
                         std::make_shared<QtPicture>(SvgIcon(":/velnix/disconnected.svg")));
}

PictureRef QtImageList::ByIndex(int position) const {
    if (position < 1 || position > static_cast<int>(images_.size())) {
        throw OutOfRangeError("aucune image à la position " + std::to_string(position));
    }
    return images_[static_cast<size_t>(position - 1)].second;
}

PictureRef QtImageList::ByKey(std::string_view key) const {
    for (const auto& [imageKey, picture] : images_) {
        if (imageKey == key) return picture;
    }
    throw OutOfRangeError("aucune image de clé " + std::string(key));
}

}  // namespace velnix::qt_platform
