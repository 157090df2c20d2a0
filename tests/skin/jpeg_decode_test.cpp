#include "skin/picture.h"
#include "tests/skin/picture_builders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace skin::test {
namespace {

// Four flat 16 x 16 quadrants, so that neither DCT rounding nor chroma subsampling blurs the
// middle of each quadrant.
int quadrant(int x, int y) {
    return (x >= 16 ? 1 : 0) + (y >= 16 ? 2 : 0);
}

const QRgb kQuadrantColours[4] = {qRgb(255, 0, 0), qRgb(0, 200, 0), qRgb(0, 0, 255),
                                  qRgb(250, 250, 250)};

void expectNear(QRgb actual, QRgb expected) {
    const int tolerance = 8;
    EXPECT_NEAR(qRed(actual), qRed(expected), tolerance);
    EXPECT_NEAR(qGreen(actual), qGreen(expected), tolerance);
    EXPECT_NEAR(qBlue(actual), qBlue(expected), tolerance);
    EXPECT_EQ(qAlpha(actual), 255);
}

void expectQuadrants(const PictureResult& result, const QRgb (&colours)[4]) {
    ASSERT_TRUE(result.picture) << result.error;
    const QImage& image = result.picture->image;
    EXPECT_EQ(result.picture->format, PictureFormat::Jpeg);
    ASSERT_EQ(image.format(), QImage::Format_ARGB32);
    ASSERT_EQ(image.size(), QSize(32, 32));
    expectNear(image.pixel(8, 8), colours[0]);
    expectNear(image.pixel(24, 8), colours[1]);
    expectNear(image.pixel(8, 24), colours[2]);
    expectNear(image.pixel(24, 24), colours[3]);
}

JpegSpec rgbSpec(bool progressive) {
    JpegSpec spec;
    spec.progressive = progressive;
    spec.pixel = [](int x, int y) {
        const QRgb c = kQuadrantColours[quadrant(x, y)];
        return std::vector<std::uint8_t>{static_cast<std::uint8_t>(qRed(c)),
                                         static_cast<std::uint8_t>(qGreen(c)),
                                         static_cast<std::uint8_t>(qBlue(c))};
    };
    return spec;
}

// Inks for the quadrant colours: red, green-ish, blue, near white.
std::vector<std::uint8_t> inks(int x, int y) {
    switch (quadrant(x, y)) {
    case 0:
        return {0, 255, 255, 0};
    case 1:
        return {255, 55, 255, 0};
    case 2:
        return {255, 255, 0, 0};
    default:
        return {0, 0, 0, 5};
    }
}

TEST(JpegDecode, RgbBaselineAndProgressive) {
    expectQuadrants(decodeJpeg(writeJpeg(rgbSpec(false))), kQuadrantColours);
    expectQuadrants(decodeJpeg(writeJpeg(rgbSpec(true))), kQuadrantColours);
}

TEST(JpegDecode, GreyscaleGivesEqualChannels) {
    JpegSpec spec;
    spec.components = 1;
    spec.progressive = true;
    const int greys[4] = {0, 90, 170, 255};
    spec.pixel = [&](int x, int y) {
        return std::vector<std::uint8_t>{static_cast<std::uint8_t>(greys[quadrant(x, y)])};
    };
    const QRgb expected[4] = {qRgb(0, 0, 0), qRgb(90, 90, 90), qRgb(170, 170, 170),
                              qRgb(255, 255, 255)};
    expectQuadrants(decodeJpeg(writeJpeg(spec)), expected);
}

TEST(JpegDecode, PlainCmykWithoutAdobeMarker) {
    JpegSpec spec;
    spec.components = 4;
    spec.adobeMarker = false;
    spec.pixel = inks;
    const QRgb expected[4] = {qRgb(255, 0, 0), qRgb(0, 200, 0), qRgb(0, 0, 255),
                              qRgb(250, 250, 250)};
    expectQuadrants(decodeJpeg(writeJpeg(spec)), expected);
}

TEST(JpegDecode, AdobeCmykStoresInvertedInks) {
    JpegSpec spec;
    spec.components = 4;
    spec.adobeMarker = true;
    spec.pixel = [](int x, int y) {
        std::vector<std::uint8_t> value = inks(x, y);
        for (std::uint8_t& ink : value) {
            ink = static_cast<std::uint8_t>(255 - ink);
        }
        return value;
    };
    const QRgb expected[4] = {qRgb(255, 0, 0), qRgb(0, 200, 0), qRgb(0, 0, 255),
                              qRgb(250, 250, 250)};
    expectQuadrants(decodeJpeg(writeJpeg(spec)), expected);
    spec.progressive = true;
    expectQuadrants(decodeJpeg(writeJpeg(spec)), expected);
}

TEST(JpegHostile, TruncatedAtManyLengths) {
    for (bool progressive : {false, true}) {
        const Bytes whole = writeJpeg(rgbSpec(progressive));
        // The last two bytes are the end marker, which a reader may do without.
        for (std::size_t length = 1; length + 2 < whole.size(); length += 3) {
            const PictureResult result = decodeJpeg(std::span(whole).first(length));
            EXPECT_FALSE(result.picture) << "length " << length;
            EXPECT_FALSE(result.error.empty());
        }
        EXPECT_EQ(decodeJpeg(std::span(whole).first(whole.size() / 2)).error,
                  "truncated JPEG data");
    }
}

TEST(JpegHostile, EmptyGarbageAndOtherFormats) {
    EXPECT_EQ(decodeJpeg({}).error, "empty file");
    EXPECT_EQ(decodeJpeg(Bytes{'G', 'I', 'F', '8', '9', 'a'}).error, "not a JPEG file");
    EXPECT_EQ(decodeJpeg(Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'}).error,
              "not a JPEG file");
    const PictureResult noise = decodeJpeg(Bytes{0xFF, 0xD8, 0xFF, 0x00, 0x13, 0x37, 0, 0});
    EXPECT_FALSE(noise.picture);
    EXPECT_FALSE(noise.error.empty());
}

// Finds the start-of-frame marker and rewrites the picture's declared height and width.
Bytes withDeclaredSize(Bytes bytes, int width, int height) {
    for (std::size_t i = 2; i + 9 < bytes.size(); ++i) {
        if (bytes[i] == 0xFF && (bytes[i + 1] == 0xC0 || bytes[i + 1] == 0xC2)) {
            bytes[i + 5] = static_cast<std::uint8_t>(height >> 8);
            bytes[i + 6] = static_cast<std::uint8_t>(height);
            bytes[i + 7] = static_cast<std::uint8_t>(width >> 8);
            bytes[i + 8] = static_cast<std::uint8_t>(width);
            return bytes;
        }
    }
    ADD_FAILURE() << "no frame header";
    return bytes;
}

TEST(JpegHostile, RefusesHugeDimensionsBeforeDecoding) {
    const Bytes valid = writeJpeg(rgbSpec(true));
    EXPECT_EQ(decodeJpeg(withDeclaredSize(valid, 20000, 10)).error,
              "picture too large (20000 x 10 pixels)");
    EXPECT_FALSE(decodeJpeg(withDeclaredSize(valid, 65535, 65535)).picture);
    EXPECT_EQ(decodeJpeg(withDeclaredSize(valid, 16000, 16000)).error,
              "picture too large (16000 x 16000 pixels)");
}

TEST(JpegHostile, CorruptEntropyDataNeverCrashes) {
    const Bytes whole = writeJpeg(rgbSpec(true));
    for (std::size_t at = 100; at + 2 < whole.size(); at += 5) {
        Bytes damaged = whole;
        damaged[at] = static_cast<std::uint8_t>(damaged[at] * 31 + 7);
        const PictureResult result = decodeJpeg(damaged);
        EXPECT_TRUE(result.picture || !result.error.empty());
    }
}

} // namespace
} // namespace skin::test
