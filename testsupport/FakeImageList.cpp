#include "testsupport/FakeImageList.h"

#include "common/Errors.h"

namespace velnix::testing {

std::string PictureName(const PictureRef& picture) {
    const auto* fake = dynamic_cast<const FakePicture*>(picture.get());
    return fake ? fake->name : "none";
}

PictureRef FakeImageList::ByIndex(int position) const {
    if (position < 1 || position > static_cast<int>(keys.size())) {
        throw OutOfRangeError("image " + std::to_string(position));
    }
    return std::make_shared<FakePicture>(keys[static_cast<size_t>(position - 1)]);
}

PictureRef FakeImageList::ByKey(std::string_view key) const {
    for (const std::string& known : keys) {
        if (known == key) return std::make_shared<FakePicture>(known);
    }
    throw OutOfRangeError("image " + std::string(key));
}

}  // namespace velnix::testing
