#include "skin/picture_budget.h"

#include <algorithm>

namespace skin {

PictureResult PictureBudget::load(const std::string& path) {
    PictureResult result = loadPictureFile(path, left_);
    if (result.picture) {
        const QImage& image = result.picture->image;
        left_ -= std::min(left_, decodedBytes(static_cast<std::uint64_t>(image.width()),
                                              static_cast<std::uint64_t>(image.height())));
    }
    return result;
}

} // namespace skin
