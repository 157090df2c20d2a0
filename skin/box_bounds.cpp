#include "skin/box_bounds.h"

#include <algorithm>
#include <utility>

namespace skin {
namespace {

// One axis of a box: where it starts and how long it is.
std::pair<int, int> boundedSpan(std::int64_t start, std::int64_t length) {
    const std::int64_t first = std::clamp(start, -kBoxReach, kBoxReach);
    if (length <= 0) {
        return {static_cast<int>(first), static_cast<int>(std::max(length, -kBoxReach))};
    }
    const std::int64_t end = std::clamp(start + length, -kBoxReach, kBoxReach);
    if (end > first) {
        return {static_cast<int>(first), static_cast<int>(end - first)};
    }
    // Wholly before or after the reach: it keeps to that edge, beyond every window.
    return {static_cast<int>(first), static_cast<int>(std::min(length, kBoxReach))};
}

} // namespace

Box boundedBox(std::int64_t left, std::int64_t top, std::int64_t width, std::int64_t height) {
    const auto [x, w] = boundedSpan(left, width);
    const auto [y, h] = boundedSpan(top, height);
    return Box{x, y, w, h};
}

} // namespace skin
