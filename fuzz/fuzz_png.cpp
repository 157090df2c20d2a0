#include "skin/picture.h"

#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

// Mutated chunks would almost all fail their CRC check and stop at once; writing the right CRC
// lets the fuzzer reach decompression, row filters and the colour conversions.
void repairChunkCrcs(std::vector<std::uint8_t>& bytes) {
    std::size_t at = 8;
    while (at + 12 <= bytes.size()) {
        const std::uint32_t length = std::uint32_t{bytes[at]} << 24 |
                                     std::uint32_t{bytes[at + 1]} << 16 |
                                     std::uint32_t{bytes[at + 2]} << 8 | bytes[at + 3];
        if (length > bytes.size() - at - 12) {
            return;
        }
        const std::size_t crcAt = at + 8 + length;
        const auto crc = static_cast<std::uint32_t>(
            crc32(0, bytes.data() + at + 4, static_cast<uInt>(length + 4)));
        for (int i = 0; i < 4; ++i) {
            bytes[crcAt + static_cast<std::size_t>(i)] =
                static_cast<std::uint8_t>(crc >> (24 - 8 * i));
        }
        at = crcAt + 4;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> bytes(data, data + size);
    repairChunkCrcs(bytes);
    const skin::PictureResult result = skin::decodePng(bytes);
    if (result.picture.has_value() == !result.error.empty()) {
        __builtin_trap();
    }
    if (result.picture && result.picture->image.format() != QImage::Format_ARGB32) {
        __builtin_trap();
    }
    return 0;
}
