#include "skin/picture.h"

namespace skin {

std::string pictureSizeError(std::uint64_t width, std::uint64_t height, std::uint64_t memoryLeft) {
    if (width == 0 || height == 0) {
        return "picture has no pixels (" + std::to_string(width) + " x " + std::to_string(height) +
               ")";
    }
    if (width > kMaxPictureSide || height > kMaxPictureSide ||
        decodedBytes(width, height) > kMaxDecodedBytes) {
        return "picture too large (" + std::to_string(width) + " x " + std::to_string(height) +
               " pixels)";
    }
    if (decodedBytes(width, height) > memoryLeft) {
        return "picture memory budget used up (" + std::to_string(width) + " x " +
               std::to_string(height) + " pixels need " +
               std::to_string(decodedBytes(width, height)) + " bytes, " +
               std::to_string(memoryLeft) + " left)";
    }
    return {};
}

} // namespace skin
