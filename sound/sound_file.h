#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace sound {

// Far beyond any beep; a larger file is taken for a mistake, not read.
inline constexpr std::size_t kMaxSoundFileBytes = std::size_t{16} << 20;

// The bytes of a sound file, named byte for byte. Nothing unless it is a regular file (or a
// link to one) of at most kMaxSoundFileBytes; it is opened without waiting, so a FIFO or a
// device in its place is refused rather than read.
std::optional<std::vector<std::uint8_t>> readSoundFile(const char* path);

} // namespace sound
