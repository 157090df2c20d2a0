#include "tests/skin/picture_builders.h"

#include <png.h>

#include <cstdio>
#include <jpeglib.h>

#include <stdexcept>

namespace skin::test {
namespace {

void appendToBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void flushNothing(png_structp) {}

Bytes packPngRow(const PngSpec& spec, int y) {
    const int channels = pngChannels(spec.colorType);
    Bytes row;
    unsigned bits = 0;
    int used = 0;
    for (int x = 0; x < spec.width; ++x) {
        for (int c = 0; c < channels; ++c) {
            const auto value = static_cast<unsigned>(spec.sample(x, y, c));
            if (spec.bitDepth == 16) {
                row.push_back(static_cast<std::uint8_t>(value >> 8));
                row.push_back(static_cast<std::uint8_t>(value));
            } else if (spec.bitDepth == 8) {
                row.push_back(static_cast<std::uint8_t>(value));
            } else {
                bits = (bits << spec.bitDepth) | value;
                used += spec.bitDepth;
                if (used == 8) {
                    row.push_back(static_cast<std::uint8_t>(bits));
                    bits = 0;
                    used = 0;
                }
            }
        }
    }
    if (used > 0) {
        row.push_back(static_cast<std::uint8_t>(bits << (8 - used)));
    }
    return row;
}

void putLe(Bytes& out, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

} // namespace

int pngChannels(int colorType) {
    switch (colorType) {
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        return 2;
    case PNG_COLOR_TYPE_RGB:
        return 3;
    case PNG_COLOR_TYPE_RGB_ALPHA:
        return 4;
    default:
        return 1;
    }
}

Bytes writePng(const PngSpec& spec) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    std::vector<Bytes> rows;
    for (int y = 0; y < spec.height; ++y) {
        rows.push_back(packPngRow(spec, y));
    }
    std::vector<png_bytep> rowPointers;
    for (Bytes& row : rows) {
        rowPointers.push_back(row.data());
    }
    std::vector<png_color> palette;
    for (QRgb colour : spec.palette) {
        palette.push_back({static_cast<png_byte>(qRed(colour)),
                           static_cast<png_byte>(qGreen(colour)),
                           static_cast<png_byte>(qBlue(colour))});
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("cannot write the test PNG");
    }
    png_set_write_fn(png, &out, appendToBytes, flushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(spec.width),
                 static_cast<png_uint_32>(spec.height), spec.bitDepth, spec.colorType,
                 spec.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!palette.empty()) {
        png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    }
    png_color_16 transparent{};
    if (!spec.paletteAlpha.empty()) {
        png_set_tRNS(png, info, spec.paletteAlpha.data(),
                     static_cast<int>(spec.paletteAlpha.size()), nullptr);
    } else if (spec.transparentGray || spec.transparentRed) {
        transparent.gray = spec.transparentGray.value_or(0);
        transparent.red = spec.transparentRed.value_or(0);
        transparent.green = spec.transparentGreen.value_or(0);
        transparent.blue = spec.transparentBlue.value_or(0);
        png_set_tRNS(png, info, nullptr, 0, &transparent);
    }
    png_write_info(png, info);
    png_write_image(png, rowPointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

Bytes writeJpeg(const JpegSpec& spec) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(spec.width);
    cinfo.image_height = static_cast<JDIMENSION>(spec.height);
    cinfo.input_components = spec.components;
    cinfo.in_color_space = spec.components == 1   ? JCS_GRAYSCALE
                           : spec.components == 3 ? JCS_RGB
                                                  : JCS_CMYK;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
    cinfo.write_Adobe_marker = spec.adobeMarker ? TRUE : FALSE;
    if (spec.progressive) {
        jpeg_simple_progression(&cinfo);
    }
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(spec.width * spec.components));
    while (cinfo.next_scanline < cinfo.image_height) {
        const int y = static_cast<int>(cinfo.next_scanline);
        for (int x = 0; x < spec.width; ++x) {
            const std::vector<std::uint8_t> value = spec.pixel(x, y);
            for (int c = 0; c < spec.components; ++c) {
                row[static_cast<std::size_t>(x * spec.components + c)] = value[c];
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    Bytes out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

Bytes buildBmp(const BmpSpec& spec) {
    Bytes info;
    putLe(info, spec.headerSize, 4);
    if (spec.headerSize == 12) {
        putLe(info, static_cast<std::uint32_t>(spec.width), 2);
        putLe(info, static_cast<std::uint32_t>(spec.height), 2);
        putLe(info, 1, 2);
        putLe(info, static_cast<std::uint32_t>(spec.bitsPerPixel), 2);
    } else {
        putLe(info, static_cast<std::uint32_t>(spec.width), 4);
        putLe(info, static_cast<std::uint32_t>(spec.height), 4);
        putLe(info, 1, 2);
        putLe(info, static_cast<std::uint32_t>(spec.bitsPerPixel), 2);
        putLe(info, spec.compression, 4);
        putLe(info, static_cast<std::uint32_t>(spec.pixels.size()), 4);
        putLe(info, 2835, 4);
        putLe(info, 2835, 4);
        putLe(info, static_cast<std::uint32_t>(spec.palette.size()), 4);
        putLe(info, 0, 4);
        if (spec.headerSize == 108) {
            for (std::size_t i = 0; i < 4; ++i) {
                putLe(info, i < spec.masks.size() ? spec.masks[i] : 0, 4);
            }
            info.resize(spec.headerSize, 0);
        } else {
            for (std::uint32_t mask : spec.masks) {
                putLe(info, mask, 4);
            }
        }
    }
    for (QRgb colour : spec.palette) {
        info.push_back(static_cast<std::uint8_t>(qBlue(colour)));
        info.push_back(static_cast<std::uint8_t>(qGreen(colour)));
        info.push_back(static_cast<std::uint8_t>(qRed(colour)));
        if (spec.headerSize != 12) {
            info.push_back(0);
        }
    }
    const std::uint32_t offset = 14 + static_cast<std::uint32_t>(info.size());
    Bytes out{'B', 'M'};
    putLe(out, offset + static_cast<std::uint32_t>(spec.pixels.size()), 4);
    putLe(out, 0, 4);
    putLe(out, offset, 4);
    out.insert(out.end(), info.begin(), info.end());
    out.insert(out.end(), spec.pixels.begin(), spec.pixels.end());
    return out;
}

Bytes packBmpRows(const std::vector<std::uint32_t>& values, int width, int height, int bitsPerPixel,
                  bool topDown) {
    Bytes out;
    for (int row = 0; row < height; ++row) {
        const int y = topDown ? row : height - 1 - row;
        Bytes line;
        unsigned bits = 0;
        int used = 0;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t value = values[static_cast<std::size_t>(y * width + x)];
            if (bitsPerPixel >= 8) {
                for (int i = 0; i < bitsPerPixel / 8; ++i) {
                    line.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
                }
                continue;
            }
            bits = (bits << bitsPerPixel) | value;
            used += bitsPerPixel;
            if (used == 8) {
                line.push_back(static_cast<std::uint8_t>(bits));
                bits = 0;
                used = 0;
            }
        }
        if (used > 0) {
            line.push_back(static_cast<std::uint8_t>(bits << (8 - used)));
        }
        line.resize((line.size() + 3) / 4 * 4, 0);
        out.insert(out.end(), line.begin(), line.end());
    }
    return out;
}

} // namespace skin::test
