#include "skin/picture.h"
#include "tests/skin/picture_builders.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <string>

namespace skin::test {
namespace {

int spread(int x, int y, int channel, int bitDepth) {
    const int range = 1 << bitDepth;
    if (bitDepth == 16) {
        return (x * 7919 + y * 24593 + channel * 4099 + 300) % range;
    }
    return (x * 3 + y * 5 + channel * 7 + 1) % range;
}

// The 8-bit value the decoder must give for a sample of the given depth.
int toEightBits(int value, int bitDepth) {
    if (bitDepth == 16) {
        return value >> 8;
    }
    return value * 255 / ((1 << bitDepth) - 1);
}

QRgb expectedPixel(const PngSpec& spec, int x, int y) {
    const auto at = [&](int channel) {
        return toEightBits(spec.sample(x, y, channel), spec.bitDepth);
    };
    switch (spec.colorType) {
    case PNG_COLOR_TYPE_GRAY:
        return qRgba(at(0), at(0), at(0), 255);
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        return qRgba(at(0), at(0), at(0), at(1));
    case PNG_COLOR_TYPE_RGB:
        return qRgba(at(0), at(1), at(2), 255);
    case PNG_COLOR_TYPE_RGB_ALPHA:
        return qRgba(at(0), at(1), at(2), at(3));
    default: {
        const auto index = static_cast<std::size_t>(spec.sample(x, y, 0));
        const int alpha = index < spec.paletteAlpha.size() ? spec.paletteAlpha[index] : 255;
        const QRgb colour = spec.palette[index];
        return qRgba(qRed(colour), qGreen(colour), qBlue(colour), alpha);
    }
    }
}

void expectAllPixels(const PngSpec& spec, const PictureResult& result) {
    ASSERT_TRUE(result.picture) << result.error;
    const QImage& image = result.picture->image;
    EXPECT_EQ(result.picture->format, PictureFormat::Png);
    ASSERT_EQ(image.format(), QImage::Format_ARGB32);
    ASSERT_EQ(image.size(), QSize(spec.width, spec.height));
    for (int y = 0; y < spec.height; ++y) {
        for (int x = 0; x < spec.width; ++x) {
            EXPECT_EQ(image.pixel(x, y), expectedPixel(spec, x, y)) << "at " << x << "," << y;
        }
    }
}

PngSpec paletteSpec(int bitDepth) {
    PngSpec spec;
    spec.colorType = PNG_COLOR_TYPE_PALETTE;
    spec.bitDepth = bitDepth;
    for (int i = 0; i < (1 << bitDepth); ++i) {
        spec.palette.push_back(qRgb(i * 3 % 256, 255 - i, i * 11 % 256));
    }
    spec.paletteAlpha = {0, 128};
    spec.sample = [bitDepth](int x, int y, int) { return (x + y * 3) % (1 << bitDepth); };
    return spec;
}

struct Layout {
    int colorType;
    int bitDepth;
};

class PngLayoutTest : public testing::TestWithParam<Layout> {};

TEST_P(PngLayoutTest, DecodesEveryPixel) {
    for (bool interlaced : {false, true}) {
        PngSpec spec;
        spec.width = 9;
        spec.height = 7;
        spec.colorType = GetParam().colorType;
        spec.bitDepth = GetParam().bitDepth;
        spec.interlaced = interlaced;
        spec.sample = [depth = spec.bitDepth](int x, int y, int c) {
            return spread(x, y, c, depth);
        };
        SCOPED_TRACE(interlaced ? "interlaced" : "progressive rows");
        expectAllPixels(spec, decodePng(writePng(spec)));
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllLayouts, PngLayoutTest,
    testing::Values(Layout{PNG_COLOR_TYPE_GRAY, 1}, Layout{PNG_COLOR_TYPE_GRAY, 2},
                    Layout{PNG_COLOR_TYPE_GRAY, 4}, Layout{PNG_COLOR_TYPE_GRAY, 8},
                    Layout{PNG_COLOR_TYPE_GRAY, 16}, Layout{PNG_COLOR_TYPE_GRAY_ALPHA, 8},
                    Layout{PNG_COLOR_TYPE_GRAY_ALPHA, 16}, Layout{PNG_COLOR_TYPE_RGB, 8},
                    Layout{PNG_COLOR_TYPE_RGB, 16}, Layout{PNG_COLOR_TYPE_RGB_ALPHA, 8},
                    Layout{PNG_COLOR_TYPE_RGB_ALPHA, 16}),
    [](const testing::TestParamInfo<Layout>& info) {
        return "type" + std::to_string(info.param.colorType) + "_depth" +
               std::to_string(info.param.bitDepth);
    });

TEST(PngPalette, EveryDepthWithTransparentEntries) {
    for (int depth : {1, 2, 4, 8}) {
        SCOPED_TRACE("depth " + std::to_string(depth));
        PngSpec spec = paletteSpec(depth);
        expectAllPixels(spec, decodePng(writePng(spec)));
        spec.interlaced = true;
        expectAllPixels(spec, decodePng(writePng(spec)));
    }
}

TEST(PngPalette, IndexZeroFullyTransparentIndexOneHalf) {
    const PngSpec spec = paletteSpec(8);
    const PictureResult result = decodePng(writePng(spec));
    ASSERT_TRUE(result.picture) << result.error;
    EXPECT_EQ(qAlpha(result.picture->image.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(result.picture->image.pixel(1, 0)), 128);
    EXPECT_EQ(qAlpha(result.picture->image.pixel(2, 0)), 255);
}

TEST(PngTransparentColour, GreyKeyBecomesAlphaZero) {
    PngSpec spec;
    spec.bitDepth = 8;
    spec.sample = [](int x, int, int) { return x == 1 ? 77 : 200; };
    spec.transparentGray = 77;
    const PictureResult result = decodePng(writePng(spec));
    ASSERT_TRUE(result.picture) << result.error;
    EXPECT_EQ(result.picture->image.pixel(1, 2), qRgba(77, 77, 77, 0));
    EXPECT_EQ(result.picture->image.pixel(0, 2), qRgba(200, 200, 200, 255));
}

TEST(PngTransparentColour, SixteenBitRgbKeyMatchesBeforeStripping) {
    PngSpec spec;
    spec.colorType = PNG_COLOR_TYPE_RGB;
    spec.bitDepth = 16;
    // Both pixels reduce to the same 8-bit colour; only the exact 16-bit key is transparent.
    spec.sample = [](int x, int, int) { return x == 0 ? 0x1234 : 0x1299; };
    spec.transparentRed = spec.transparentGreen = spec.transparentBlue = 0x1234;
    const PictureResult result = decodePng(writePng(spec));
    ASSERT_TRUE(result.picture) << result.error;
    EXPECT_EQ(result.picture->image.pixel(0, 0), qRgba(0x12, 0x12, 0x12, 0));
    EXPECT_EQ(result.picture->image.pixel(1, 0), qRgba(0x12, 0x12, 0x12, 255));
}

Bytes headerOnlyPng(std::uint32_t width, std::uint32_t height) {
    PngSpec spec;
    spec.sample = [](int, int, int) { return 0; };
    Bytes bytes = writePng(spec);
    // Rewrite the IHDR size and its CRC, then cut the file after IHDR.
    const auto put32 = [&](std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            bytes[at + i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
        }
    };
    put32(16, width);
    put32(20, height);
    put32(29, static_cast<std::uint32_t>(crc32(0, bytes.data() + 12, 17)));
    bytes.resize(33);
    return bytes;
}

TEST(PngHostile, RefusesHugeDimensionsBeforeReadingPixels) {
    EXPECT_EQ(decodePng(headerOnlyPng(20000, 10)).error, "picture too large (20000 x 10 pixels)");
    EXPECT_EQ(decodePng(headerOnlyPng(10, 16385)).error, "picture too large (10 x 16385 pixels)");
    EXPECT_EQ(decodePng(headerOnlyPng(16384, 4097)).error,
              "picture too large (16384 x 4097 pixels)");
    EXPECT_EQ(decodePng(headerOnlyPng(0x7fffffff, 0x7fffffff)).error,
              "picture too large (2147483647 x 2147483647 pixels)");
    // Exactly at the limit the size passes and the missing pixel data is what fails.
    EXPECT_EQ(decodePng(headerOnlyPng(16384, 4096)).error, "truncated PNG data");
}

TEST(PngHostile, RefusesHugeDimensionsBehindAnotherChunk) {
    Bytes bytes = headerOnlyPng(20000, 10);
    Bytes privateChunk = {0, 0, 0, 0, 'p', 'r', 'I', 'v', 0, 0, 0, 0};
    const auto crc = static_cast<std::uint32_t>(crc32(0, privateChunk.data() + 4, 4));
    for (int i = 0; i < 4; ++i) {
        privateChunk[8 + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    }
    bytes.insert(bytes.begin() + 8, privateChunk.begin(), privateChunk.end());
    EXPECT_EQ(decodePng(bytes).error, "picture too large (20000 x 10 pixels)");
}

TEST(PngHostile, TruncatedAtEveryLengthBeforeTheEndChunk) {
    PngSpec spec = paletteSpec(4);
    spec.interlaced = true;
    const Bytes whole = writePng(spec);
    const std::size_t endChunk = 12;
    for (std::size_t length = 1; length + endChunk < whole.size(); ++length) {
        const PictureResult result = decodePng(std::span(whole).first(length));
        EXPECT_FALSE(result.picture) << "length " << length;
        EXPECT_FALSE(result.error.empty());
    }
    EXPECT_EQ(decodePng(std::span(whole).first(5)).error, "truncated PNG data");
    EXPECT_EQ(decodePng(std::span(whole).first(40)).error, "truncated PNG data");
}

TEST(PngHostile, EmptyGarbageAndCorruptData) {
    EXPECT_EQ(decodePng({}).error, "empty file");
    const Bytes garbage{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!'};
    EXPECT_EQ(decodePng(garbage).error, "not a PNG file");

    PngSpec spec;
    spec.sample = [](int x, int y, int) { return x * y; };
    Bytes damaged = writePng(spec);
    damaged[24] ^= 0x40; // the bit depth in IHDR: its CRC no longer matches
    const PictureResult result = decodePng(damaged);
    EXPECT_FALSE(result.picture);
    EXPECT_EQ(result.error.rfind("corrupt PNG data", 0), 0u) << result.error;
}

TEST(PngHostile, CorruptCompressedDataIsAnErrorNotACrash) {
    PngSpec spec;
    spec.width = 64;
    spec.height = 64;
    spec.colorType = PNG_COLOR_TYPE_RGB;
    spec.sample = [](int x, int y, int c) { return (x * 31 + y * 17 + c * 5) % 256; };
    const Bytes whole = writePng(spec);
    int failures = 0;
    for (std::size_t at = 41; at + 12 < whole.size(); at += 7) {
        Bytes damaged = whole;
        damaged[at] ^= 0xA5;
        failures += decodePng(damaged).picture ? 0 : 1;
    }
    EXPECT_GT(failures, 0);
}

} // namespace
} // namespace skin::test
