#include "skin/picture.h"

#include <QSysInfo>
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace skin {
namespace {

constexpr std::size_t kSignatureSize = 8;
constexpr png_alloc_size_t kMaxChunkBytes = 8u << 20;

// libpng reports errors by calling back and then must not return: the callbacks keep the
// message here and jump back to the setjmp of whichever read step is running.
struct PngSource {
    std::span<const std::uint8_t> bytes;
    std::size_t position = 0;
    char message[128] = {};
};

[[noreturn]] void failRead(png_structp png, const char* message) {
    auto* source = static_cast<PngSource*>(png_get_error_ptr(png));
    std::snprintf(source->message, sizeof source->message, "%s", message);
    png_longjmp(png, 1);
}

void onPngError(png_structp png, png_const_charp message) {
    char text[sizeof PngSource::message];
    std::snprintf(text, sizeof text, "corrupt PNG data (%s)", message);
    failRead(png, text);
}

void onPngWarning(png_structp, png_const_charp) {}

void readFromSpan(png_structp png, png_bytep out, png_size_t length) {
    auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
    if (length > source->bytes.size() - source->position) {
        failRead(png, "truncated PNG data");
    }
    std::memcpy(out, source->bytes.data() + source->position, length);
    source->position += length;
}

// Owns the libpng structures so that every way out of decodePng frees them.
class PngReader {
public:
    explicit PngReader(std::span<const std::uint8_t> bytes) {
        source_.bytes = bytes;
        png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, &source_, onPngError, onPngWarning);
        if (png_ != nullptr) {
            info_ = png_create_info_struct(png_);
        }
    }
    ~PngReader() { png_destroy_read_struct(&png_, &info_, nullptr); }
    PngReader(const PngReader&) = delete;
    PngReader& operator=(const PngReader&) = delete;

    bool created() const { return png_ != nullptr && info_ != nullptr; }
    std::string message() const { return source_.message; }
    png_uint_32 width() const { return png_get_image_width(png_, info_); }
    png_uint_32 height() const { return png_get_image_height(png_, info_); }
    std::size_t rowBytes() const { return png_get_rowbytes(png_, info_); }

    // Reads the header and sets up conversion of every colour type and depth to 8-bit
    // four-channel rows in QImage::Format_ARGB32's memory order.
    bool readHeader() {
        if (setjmp(png_jmpbuf(png_))) {
            return false;
        }
        png_set_read_fn(png_, &source_, readFromSpan);
        png_set_user_limits(png_, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
        png_set_chunk_malloc_max(png_, kMaxChunkBytes);
        png_read_info(png_, info_);
        png_set_expand(png_);
        png_set_strip_16(png_);
        png_set_gray_to_rgb(png_);
        png_set_add_alpha(png_, 0xff, PNG_FILLER_AFTER);
        if (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
            png_set_bgr(png_);
        } else {
            png_set_swap_alpha(png_);
        }
        png_set_interlace_handling(png_);
        png_read_update_info(png_, info_);
        return true;
    }

    bool readRows(png_bytepp rows) {
        if (setjmp(png_jmpbuf(png_))) {
            return false;
        }
        png_read_image(png_, rows);
        return true;
    }

private:
    PngSource source_;
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

// libpng reads every chunk up to the pixel data before it reports the header, and sizes its row
// buffers from it, so the size in the header chunk is checked here before libpng sees the file,
// wherever that chunk lies among the chunks before the pixel data.
std::string declaredSizeError(std::span<const std::uint8_t> bytes, std::uint64_t memoryLeft) {
    const auto read32 = [&](std::size_t at) {
        return std::uint32_t{bytes[at]} << 24 | std::uint32_t{bytes[at + 1]} << 16 |
               std::uint32_t{bytes[at + 2]} << 8 | std::uint32_t{bytes[at + 3]};
    };
    std::size_t at = kSignatureSize;
    // Each chunk: length, type, data, CRC; the header's data starts with width and height.
    while (bytes.size() - at >= 16 && std::memcmp(bytes.data() + at + 4, "IDAT", 4) != 0) {
        if (std::memcmp(bytes.data() + at + 4, "IHDR", 4) == 0) {
            const std::uint32_t width = read32(at + 8);
            const std::uint32_t height = read32(at + 12);
            return width == 0 || height == 0 ? std::string()
                                             : pictureSizeError(width, height, memoryLeft);
        }
        const std::uint32_t length = read32(at);
        if (length > bytes.size() - at - 12) {
            break;
        }
        at += 12 + std::size_t{length};
    }
    return {};
}

} // namespace

PictureResult decodePng(std::span<const std::uint8_t> bytes, std::uint64_t memoryLeft) {
    if (bytes.empty()) {
        return pictureFailure("empty file");
    }
    const std::size_t checked = std::min(bytes.size(), kSignatureSize);
    if (png_sig_cmp(bytes.data(), 0, checked) != 0) {
        return pictureFailure("not a PNG file");
    }
    if (bytes.size() < kSignatureSize) {
        return pictureFailure("truncated PNG data");
    }

    if (std::string refused = declaredSizeError(bytes, memoryLeft); !refused.empty()) {
        return pictureFailure(refused);
    }

    PngReader reader(bytes);
    if (!reader.created()) {
        return pictureFailure("not enough memory to read the PNG file");
    }
    if (!reader.readHeader()) {
        return pictureFailure(reader.message());
    }
    if (std::string refused = pictureSizeError(reader.width(), reader.height(), memoryLeft);
        !refused.empty()) {
        return pictureFailure(refused);
    }
    const int width = static_cast<int>(reader.width());
    const int height = static_cast<int>(reader.height());
    if (reader.rowBytes() != static_cast<std::size_t>(width) * 4) {
        return pictureFailure("unsupported PNG pixel layout");
    }

    QImage image(width, height, QImage::Format_ARGB32);
    if (image.isNull()) {
        return pictureFailure("not enough memory for the picture");
    }
    std::vector<png_bytep> rows(static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        rows[static_cast<std::size_t>(y)] = image.scanLine(y);
    }
    if (!reader.readRows(rows.data())) {
        return pictureFailure(reader.message());
    }
    return {Picture{std::move(image), PictureFormat::Png}, {}};
}

} // namespace skin
