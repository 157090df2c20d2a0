#include "skin/picture.h"
#include "tests/skin/picture_builders.h"

#include <gtest/gtest.h>

#include <string>

namespace skin::test {
namespace {

constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kBitFields = 3;

std::vector<QRgb> rampPalette(int entries) {
    std::vector<QRgb> palette;
    for (int i = 0; i < entries; ++i) {
        palette.push_back(qRgb(i, 255 - i, (i * 37) % 256));
    }
    return palette;
}

QImage imageOf(const PictureResult& result) {
    EXPECT_TRUE(result.picture) << result.error;
    if (!result.picture) {
        return {};
    }
    EXPECT_EQ(result.picture->format, PictureFormat::Bitmap);
    EXPECT_EQ(result.picture->image.format(), QImage::Format_ARGB32);
    return result.picture->image;
}

// An indexed bitmap where pixel x,y (from the top) shows index (x + 2y) mod the palette size.
void checkIndexed(int bits, bool topDown, std::uint32_t headerSize = 40) {
    const int width = 9;
    const int height = 3;
    const int entries = 1 << bits;
    std::vector<std::uint32_t> indices;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            indices.push_back(static_cast<std::uint32_t>((x + 2 * y) % entries));
        }
    }
    BmpSpec spec;
    spec.width = width;
    spec.height = topDown ? -height : height;
    spec.bitsPerPixel = bits;
    spec.headerSize = headerSize;
    spec.palette = rampPalette(entries);
    spec.pixels = packBmpRows(indices, width, height, bits, topDown);
    const QImage image = imageOf(decodeBmp(buildBmp(spec)));
    ASSERT_EQ(image.size(), QSize(width, height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            EXPECT_EQ(image.pixel(x, y), spec.palette[indices[y * width + x]])
                << bits << " bits at " << x << "," << y;
        }
    }
}

TEST(BmpIndexed, OneFourAndEightBitsBothRowOrders) {
    for (int bits : {1, 4, 8}) {
        checkIndexed(bits, false);
        checkIndexed(bits, true);
    }
}

TEST(BmpIndexed, OldCoreHeaderWithThreeBytePalette) {
    checkIndexed(8, false, 12);
    checkIndexed(4, false, 12);
}

TEST(BmpIndexed, IndexBeyondThePaletteIsOpaqueBlack) {
    BmpSpec spec;
    spec.width = 4;
    spec.height = 1;
    spec.bitsPerPixel = 8;
    spec.palette = {qRgb(10, 20, 30), qRgb(40, 50, 60)};
    spec.pixels = {1, 200, 0, 255};
    const QImage image = imageOf(decodeBmp(buildBmp(spec)));
    ASSERT_EQ(image.size(), QSize(4, 1));
    EXPECT_EQ(image.pixel(0, 0), qRgb(40, 50, 60));
    EXPECT_EQ(image.pixel(1, 0), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(2, 0), qRgb(10, 20, 30));
    EXPECT_EQ(image.pixel(3, 0), qRgb(0, 0, 0));
}

TEST(BmpTrueColour, TwentyFourBitsBothRowOrders) {
    const std::vector<std::uint32_t> colours{0x102030, 0xFF0000, 0x00FF00,
                                             0x0000FF, 0xABCDEF, 0x000000};
    for (bool topDown : {false, true}) {
        BmpSpec spec;
        spec.width = 3;
        spec.height = topDown ? -2 : 2;
        spec.pixels = packBmpRows(colours, 3, 2, 24, topDown);
        const QImage image = imageOf(decodeBmp(buildBmp(spec)));
        ASSERT_EQ(image.size(), QSize(3, 2));
        EXPECT_EQ(image.pixel(0, 0), qRgb(0x10, 0x20, 0x30));
        EXPECT_EQ(image.pixel(1, 0), qRgb(255, 0, 0));
        EXPECT_EQ(image.pixel(1, 1), qRgb(0xAB, 0xCD, 0xEF));
        EXPECT_EQ(image.pixel(2, 1), qRgb(0, 0, 0));
    }
}

TEST(BmpTrueColour, ThirtyTwoBitsIgnoreTheUnusedByte) {
    BmpSpec spec;
    spec.width = 2;
    spec.height = 1;
    spec.bitsPerPixel = 32;
    spec.pixels = packBmpRows({0x00123456, 0x7F00FF00}, 2, 1, 32, false);
    const QImage image = imageOf(decodeBmp(buildBmp(spec)));
    EXPECT_EQ(image.pixel(0, 0), qRgb(0x12, 0x34, 0x56));
    EXPECT_EQ(image.pixel(1, 0), qRgb(0, 255, 0));
}

TEST(BmpTrueColour, ThirtyTwoBitFieldsWithAlphaMask) {
    BmpSpec spec;
    spec.width = 2;
    spec.height = 1;
    spec.bitsPerPixel = 32;
    spec.compression = kBitFields;
    spec.headerSize = 108;
    spec.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    spec.pixels = packBmpRows({0x80FF0000, 0x000000FF}, 2, 1, 32, false);
    const QImage image = imageOf(decodeBmp(buildBmp(spec)));
    EXPECT_EQ(image.pixel(0, 0), qRgba(255, 0, 0, 0x80));
    EXPECT_EQ(qAlpha(image.pixel(1, 0)), 0);
}

TEST(BmpTrueColour, SixteenBitsFiveFiveFiveAndFiveSixFive) {
    BmpSpec plain;
    plain.width = 2;
    plain.height = 1;
    plain.bitsPerPixel = 16;
    plain.pixels = packBmpRows({31u << 10, (31u << 5) | 31u}, 2, 1, 16, false);
    const QImage image = imageOf(decodeBmp(buildBmp(plain)));
    EXPECT_GE(qRed(image.pixel(0, 0)), 248);
    EXPECT_EQ(qGreen(image.pixel(0, 0)), 0);
    EXPECT_EQ(qRed(image.pixel(1, 0)), 0);
    EXPECT_GE(qGreen(image.pixel(1, 0)), 248);
    EXPECT_GE(qBlue(image.pixel(1, 0)), 248);

    BmpSpec fields = plain;
    fields.compression = kBitFields;
    fields.masks = {0xF800, 0x07E0, 0x001F};
    fields.pixels = packBmpRows({0xF800, 0x07E0}, 2, 1, 16, false);
    const QImage wide = imageOf(decodeBmp(buildBmp(fields)));
    EXPECT_GE(qRed(wide.pixel(0, 0)), 248);
    EXPECT_EQ(qGreen(wide.pixel(0, 0)), 0);
    EXPECT_GE(qGreen(wide.pixel(1, 0)), 252);
    EXPECT_EQ(qBlue(wide.pixel(1, 0)), 0);
}

TEST(BmpRunLength, EightBitRunsAndAbsoluteMode) {
    BmpSpec spec;
    spec.width = 4;
    spec.height = 2;
    spec.bitsPerPixel = 8;
    spec.compression = kRle8;
    spec.palette = rampPalette(4);
    // Bottom row: four of index 1. Top row: absolute 2,3,2 then one of index 3. End.
    spec.pixels = {4, 1, 0, 0, 0, 3, 2, 3, 2, 0, 1, 3, 0, 1};
    const QImage image = imageOf(decodeBmp(buildBmp(spec)));
    ASSERT_EQ(image.size(), QSize(4, 2));
    EXPECT_EQ(image.pixel(0, 1), spec.palette[1]);
    EXPECT_EQ(image.pixel(3, 1), spec.palette[1]);
    EXPECT_EQ(image.pixel(0, 0), spec.palette[2]);
    EXPECT_EQ(image.pixel(1, 0), spec.palette[3]);
    EXPECT_EQ(image.pixel(3, 0), spec.palette[3]);
}

TEST(BmpRunLength, FourBitAlternatingRuns) {
    BmpSpec spec;
    spec.width = 4;
    spec.height = 2;
    spec.bitsPerPixel = 4;
    spec.compression = kRle4;
    spec.palette = rampPalette(16);
    spec.pixels = {4, 0x12, 0, 0, 4, 0x3F, 0, 1};
    const QImage image = imageOf(decodeBmp(buildBmp(spec)));
    ASSERT_EQ(image.size(), QSize(4, 2));
    EXPECT_EQ(image.pixel(0, 1), spec.palette[1]);
    EXPECT_EQ(image.pixel(1, 1), spec.palette[2]);
    EXPECT_EQ(image.pixel(2, 0), spec.palette[3]);
    EXPECT_EQ(image.pixel(3, 0), spec.palette[15]);
}

BmpSpec smallIndexed() {
    BmpSpec spec;
    spec.width = 5;
    spec.height = 4;
    spec.bitsPerPixel = 8;
    spec.palette = rampPalette(16);
    spec.pixels = packBmpRows(std::vector<std::uint32_t>(20, 3), 5, 4, 8, false);
    return spec;
}

TEST(BmpHostile, TruncatedAtEveryLength) {
    const Bytes whole = buildBmp(smallIndexed());
    for (std::size_t length = 0; length < whole.size(); ++length) {
        const PictureResult result = decodeBmp(std::span(whole).first(length));
        EXPECT_FALSE(result.picture) << "length " << length;
        EXPECT_FALSE(result.error.empty());
    }
    EXPECT_EQ(decodeBmp(std::span(whole).first(whole.size() - 1)).error, "truncated bitmap data");
}

TEST(BmpHostile, RefusesHugeDimensionsFromTheHeader) {
    BmpSpec spec = smallIndexed();
    spec.width = 20000;
    spec.height = 10;
    EXPECT_EQ(decodeBmp(buildBmp(spec)).error, "picture too large (20000 x 10 pixels)");
    spec.width = 16384;
    spec.height = -16384;
    EXPECT_EQ(decodeBmp(buildBmp(spec)).error, "picture too large (16384 x 16384 pixels)");
    spec.width = 10;
    spec.height = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(decodeBmp(buildBmp(spec)).error, "picture too large (10 x 2147483648 pixels)");
}

TEST(BmpHostile, ImplausibleHeadersAreRefused) {
    EXPECT_EQ(decodeBmp({}).error, "empty file");
    EXPECT_EQ(decodeBmp(Bytes{'G', 'I', 'F'}).error, "not a bitmap file");

    BmpSpec spec = smallIndexed();
    spec.bitsPerPixel = 7;
    EXPECT_EQ(decodeBmp(buildBmp(spec)).error, "unsupported bitmap encoding");
    spec = smallIndexed();
    spec.compression = kRle4;
    EXPECT_EQ(decodeBmp(buildBmp(spec)).error, "unsupported bitmap encoding");
    spec = smallIndexed();
    spec.headerSize = 99;
    EXPECT_EQ(decodeBmp(buildBmp(spec)).error, "unsupported bitmap header");
    spec = smallIndexed();
    spec.width = 0;
    EXPECT_FALSE(decodeBmp(buildBmp(spec)).picture);
    spec = smallIndexed();
    spec.palette = rampPalette(300);
    EXPECT_EQ(decodeBmp(buildBmp(spec)).error, "corrupt bitmap data (palette too large)");
}

TEST(BmpHostile, RunLengthDataThatOverrunsThePicture) {
    BmpSpec spec;
    spec.width = 4;
    spec.height = 2;
    spec.bitsPerPixel = 8;
    spec.compression = kRle8;
    spec.palette = rampPalette(4);
    // Runs longer than a row, a delta far past the corner, absolute mode past the data's end.
    spec.pixels = {255, 1, 0, 2, 200, 200, 9, 9, 0, 250, 1, 2};
    const PictureResult result = decodeBmp(buildBmp(spec));
    EXPECT_TRUE(result.picture || !result.error.empty());
}

} // namespace
} // namespace skin::test
