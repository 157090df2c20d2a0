#pragma once

#include <cstdint>

#include "skin/components.h"

namespace skin {

// How far from the client area's origin a box edge may lie. Every window and picture is far
// smaller, so a box cut back to this reach covers the same window pixels, and its edges stay
// representable in any arithmetic on them (a platform's rectangles included, even zoomed).
inline constexpr std::int64_t kBoxReach = std::int64_t{1} << 24;

// A box as a skin gives it, with its edges worked out in 64 bits, cut back to the reach. A box
// wholly beyond the reach stays beyond every window; an empty box stays empty.
Box boundedBox(std::int64_t left, std::int64_t top, std::int64_t width, std::int64_t height);

} // namespace skin
