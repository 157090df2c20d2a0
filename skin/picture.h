#pragma once

#include <QImage>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>

#include "skin/picture_limits.h"

namespace skin {

enum class PictureFormat { Bitmap, Png, Jpeg };

// A decoded picture file; the image is always QImage::Format_ARGB32 with straight alpha.
struct Picture {
    QImage image;
    PictureFormat format;
};

// Either a picture or, when it is empty, a short human-readable reason.
struct PictureResult {
    std::optional<Picture> picture;
    std::string error;
};

inline constexpr std::uint64_t kMaxDecodedBytes = 256ull << 20;

// `memoryLeft` is what the caller still allows the decoded picture to take (a skin's pictures
// share one budget); a larger picture is refused before it is decoded.
PictureResult decodePng(std::span<const std::uint8_t> bytes,
                        std::uint64_t memoryLeft = kMaxDecodedBytes);
PictureResult decodeJpeg(std::span<const std::uint8_t> bytes,
                         std::uint64_t memoryLeft = kMaxDecodedBytes);
PictureResult decodeBmp(std::span<const std::uint8_t> bytes,
                        std::uint64_t memoryLeft = kMaxDecodedBytes);

// Reads the file and decodes it by its extension (.bmp, .png, .jpg, .jpeg, letter case ignored);
// an unknown extension or unreadable file is an error naming the file.
PictureResult loadPictureFile(const std::string& path, std::uint64_t memoryLeft = kMaxDecodedBytes);

// Decoded size of a picture: four bytes a pixel.
inline std::uint64_t decodedBytes(std::uint64_t width, std::uint64_t height) {
    return width * height * 4;
}

// Checked by every decoder before it allocates: empty when a picture of this size may be
// decoded, otherwise the reason it is refused.
std::string pictureSizeError(std::uint64_t width, std::uint64_t height,
                             std::uint64_t memoryLeft = kMaxDecodedBytes);

inline PictureResult pictureFailure(std::string error) {
    return {std::nullopt, std::move(error)};
}

} // namespace skin
