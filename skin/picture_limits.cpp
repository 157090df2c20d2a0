#include "skin/picture.h"

namespace skin {

std::string pictureSizeError(std::uint64_t width, std::uint64_t height) {
    if (width == 0 || height == 0) {
        return "picture has no pixels (" + std::to_string(width) + " x " + std::to_string(height) +
               ")";
    }
    if (width > kMaxPictureSide || height > kMaxPictureSide ||
        width * height * 4 > kMaxDecodedBytes) {
        return "picture too large (" + std::to_string(width) + " x " + std::to_string(height) +
               " pixels)";
    }
    return {};
}

} // namespace skin
