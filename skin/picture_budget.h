#pragma once

#include <cstdint>
#include <string>

#include "skin/picture.h"

namespace skin {

// Decoded picture memory that one set of pictures (a skin's, the manual's pages) may take
// together.
inline constexpr std::uint64_t kSkinPictureBudget = std::uint64_t{1} << 30;

// The decoded memory left to pictures that share one budget. A picture larger than what is
// left is refused before it is decoded, and is reported like one that cannot be decoded; a
// refused or undecodable picture takes nothing.
class PictureBudget {
public:
    explicit PictureBudget(std::uint64_t total = kSkinPictureBudget) : left_(total) {}

    // Loads the picture file within what is left, and counts the decoded picture against it.
    PictureResult load(const std::string& path);
    std::uint64_t left() const { return left_; }

private:
    std::uint64_t left_;
};

} // namespace skin
