#pragma once

// Writers for small picture files in memory, so the decoder tests need no files on disk.

#include <QRgb>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace skin::test {

using Bytes = std::vector<std::uint8_t>;

// A PNG picture whose samples come from sample(x, y, channel), each in 0 .. 2^bitDepth - 1
// (a palette index for palette pictures).
struct PngSpec {
    int width = 4;
    int height = 3;
    int colorType = 0;
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<QRgb> palette;              // palette pictures: colour of each index
    std::vector<std::uint8_t> paletteAlpha; // palette pictures: tRNS alpha of the first indices
    std::optional<std::uint16_t> transparentGray;
    std::optional<std::uint16_t> transparentRed, transparentGreen, transparentBlue;
    std::function<int(int x, int y, int channel)> sample;
};
Bytes writePng(const PngSpec& spec);
int pngChannels(int colorType);

// A JPEG picture: 1 component (grey), 3 (RGB) or 4 (CMYK inks as stored); pixel(x, y) gives
// the component values.
struct JpegSpec {
    int width = 32;
    int height = 32;
    int components = 3;
    bool progressive = false;
    bool adobeMarker = true;
    std::function<std::vector<std::uint8_t>(int x, int y)> pixel;
};
Bytes writeJpeg(const JpegSpec& spec);

// A Windows bitmap around pixel data that the caller encodes itself.
struct BmpSpec {
    int width = 0;
    int height = 0; // negative for a top-down bitmap
    int bitsPerPixel = 24;
    std::uint32_t compression = 0;
    std::uint32_t headerSize = 40;
    std::vector<QRgb> palette;
    std::vector<std::uint32_t> masks; // red, green, blue (and alpha for header size 108)
    Bytes pixels;
};
Bytes buildBmp(const BmpSpec& spec);

// Uncompressed rows for indices[y * width + x] (y from the top), stored bottom-up unless
// topDown, each padded to four bytes.
Bytes packBmpRows(const std::vector<std::uint32_t>& values, int width, int height, int bitsPerPixel,
                  bool topDown);

} // namespace skin::test
