#pragma once

// The largest picture side any skin picture or window may have.
namespace skin {

inline constexpr int kMaxPictureSide = 16384;

} // namespace skin
