// Writes a few tiny valid pictures of each kind as the picture fuzzers' seed corpora:
//   picture_seeds CORPUS_FOLDER   (creates fuzz_png/, fuzz_jpeg/ and fuzz_bmp/ in it)

#include "tests/skin/picture_builders.h"

#include <png.h>

#include <filesystem>
#include <fstream>
#include <iostream>

using namespace skin::test;
namespace fs = std::filesystem;

namespace {

void save(const fs::path& folder, const std::string& name, const Bytes& bytes) {
    fs::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

void writePngSeeds(const fs::path& folder) {
    struct Kind {
        const char* name;
        int colorType;
        int bitDepth;
        bool interlaced;
    };
    const Kind kinds[] = {{"gray1", PNG_COLOR_TYPE_GRAY, 1, false},
                          {"gray16", PNG_COLOR_TYPE_GRAY, 16, true},
                          {"grayalpha8", PNG_COLOR_TYPE_GRAY_ALPHA, 8, false},
                          {"rgb8-interlaced", PNG_COLOR_TYPE_RGB, 8, true},
                          {"rgba16", PNG_COLOR_TYPE_RGB_ALPHA, 16, false},
                          {"palette4-trns", PNG_COLOR_TYPE_PALETTE, 4, false}};
    for (const Kind& kind : kinds) {
        PngSpec spec;
        spec.width = 5;
        spec.height = 4;
        spec.colorType = kind.colorType;
        spec.bitDepth = kind.bitDepth;
        spec.interlaced = kind.interlaced;
        if (kind.colorType == PNG_COLOR_TYPE_PALETTE) {
            for (int i = 0; i < 16; ++i) {
                spec.palette.push_back(qRgb(i * 16, 255 - i * 16, 128));
            }
            spec.paletteAlpha = {0, 100};
        }
        const int range = 1 << kind.bitDepth;
        spec.sample = [range](int x, int y, int c) { return (x * 5 + y * 3 + c) * 977 % range; };
        save(folder, std::string(kind.name) + ".png", writePng(spec));
    }
}

void writeJpegSeeds(const fs::path& folder) {
    struct Kind {
        const char* name;
        int components;
        bool progressive;
    };
    const Kind kinds[] = {{"gray", 1, false},
                          {"rgb", 3, false},
                          {"rgb-progressive", 3, true},
                          {"cmyk-adobe", 4, false}};
    for (const Kind& kind : kinds) {
        JpegSpec spec;
        spec.width = 16;
        spec.height = 16;
        spec.components = kind.components;
        spec.progressive = kind.progressive;
        spec.pixel = [components = kind.components](int x, int y) {
            std::vector<std::uint8_t> value;
            for (int c = 0; c < components; ++c) {
                value.push_back(static_cast<std::uint8_t>(x * 16 + y * 4 + c * 60));
            }
            return value;
        };
        save(folder, std::string(kind.name) + ".jpg", writeJpeg(spec));
    }
}

void writeBmpSeeds(const fs::path& folder) {
    const int width = 5;
    const int height = 3;
    std::vector<std::uint32_t> values;
    for (int i = 0; i < width * height; ++i) {
        values.push_back(static_cast<std::uint32_t>(i));
    }
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        BmpSpec spec;
        spec.width = width;
        spec.height = bits == 24 ? -height : height;
        spec.bitsPerPixel = bits;
        if (bits <= 8) {
            for (int i = 0; i < (1 << bits); ++i) {
                spec.palette.push_back(qRgb(i, 255 - i, 7 * i % 256));
            }
        }
        std::vector<std::uint32_t> pixels;
        for (std::uint32_t v : values) {
            pixels.push_back(bits <= 8 ? v % (1u << bits) : v * 0x010203u);
        }
        spec.pixels = packBmpRows(pixels, width, height, bits, spec.height < 0);
        save(folder, "bits" + std::to_string(bits) + ".bmp", buildBmp(spec));
    }
    BmpSpec rle8;
    rle8.width = 4;
    rle8.height = 2;
    rle8.bitsPerPixel = 8;
    rle8.compression = 1;
    rle8.palette = {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
    rle8.pixels = {4, 1, 0, 0, 0, 3, 2, 3, 2, 0, 1, 3, 0, 1};
    save(folder, "rle8.bmp", buildBmp(rle8));
    BmpSpec rle4 = rle8;
    rle4.bitsPerPixel = 4;
    rle4.compression = 2;
    rle4.pixels = {4, 0x12, 0, 0, 4, 0x3F, 0, 1};
    save(folder, "rle4.bmp", buildBmp(rle4));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: picture_seeds CORPUS_FOLDER\n";
        return 2;
    }
    const fs::path corpus = argv[1];
    writePngSeeds(corpus / "fuzz_png");
    writeJpegSeeds(corpus / "fuzz_jpeg");
    writeBmpSeeds(corpus / "fuzz_bmp");
    return 0;
}
