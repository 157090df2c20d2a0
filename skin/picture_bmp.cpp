#include "skin/picture.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <algorithm>
#include <cstdlib>

namespace skin {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kCoreHeaderSize = 12;
constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kBitFields = 3;

std::uint32_t readLe(std::span<const std::uint8_t> bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
    }
    return value;
}

struct BitmapHeader {
    std::uint32_t headerSize = 0;
    std::uint64_t width = 0;
    std::uint64_t height = 0;
    bool topDown = false;
    std::uint32_t bitsPerPixel = 0;
    std::uint32_t compression = kRgb;
    std::uint32_t coloursUsed = 0;
    std::uint32_t pixelOffset = 0;
};

bool knownHeaderSize(std::uint32_t size) {
    return size == 12 || size == 40 || size == 52 || size == 56 || size == 64 || size == 108 ||
           size == 124;
}

bool plausibleEncoding(std::uint32_t bits, std::uint32_t compression) {
    switch (compression) {
    case kRgb:
        return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case kRle8:
        return bits == 8;
    case kRle4:
        return bits == 4;
    case kBitFields:
        return bits == 16 || bits == 32;
    default:
        return false;
    }
}

// Reads the headers far enough to know the picture's size and encoding; the rest is left to Qt.
std::string parseHeader(std::span<const std::uint8_t> bytes, BitmapHeader& header,
                        std::uint64_t memoryLeft) {
    if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M') {
        return bytes.size() == 1 && bytes[0] == 'B' ? "truncated bitmap data" : "not a bitmap file";
    }
    if (bytes.size() < kFileHeaderSize + 4) {
        return "truncated bitmap data";
    }
    header.pixelOffset = readLe(bytes, 10, 4);
    header.headerSize = readLe(bytes, kFileHeaderSize, 4);
    if (!knownHeaderSize(header.headerSize)) {
        return "unsupported bitmap header";
    }
    if (bytes.size() < kFileHeaderSize + header.headerSize) {
        return "truncated bitmap data";
    }
    const std::size_t at = kFileHeaderSize + 4;
    std::uint32_t planes = 0;
    if (header.headerSize == kCoreHeaderSize) {
        header.width = readLe(bytes, at, 2);
        header.height = readLe(bytes, at + 2, 2);
        planes = readLe(bytes, at + 4, 2);
        header.bitsPerPixel = readLe(bytes, at + 6, 2);
    } else {
        const auto width = static_cast<std::int32_t>(readLe(bytes, at, 4));
        const auto height = static_cast<std::int32_t>(readLe(bytes, at + 4, 4));
        if (width <= 0 || height == 0) {
            return "picture has no pixels (" + std::to_string(width) + " x " +
                   std::to_string(height) + ")";
        }
        header.width = static_cast<std::uint64_t>(width);
        header.topDown = height < 0;
        header.height = static_cast<std::uint64_t>(std::abs(static_cast<std::int64_t>(height)));
        planes = readLe(bytes, at + 8, 2);
        header.bitsPerPixel = readLe(bytes, at + 10, 2);
        header.compression = readLe(bytes, at + 12, 4);
        header.coloursUsed = readLe(bytes, at + 28, 4);
    }
    if (planes != 1 || !plausibleEncoding(header.bitsPerPixel, header.compression)) {
        return "unsupported bitmap encoding";
    }
    if (header.topDown && (header.compression == kRle8 || header.compression == kRle4)) {
        return "corrupt bitmap data (top-down RLE)";
    }
    if (header.bitsPerPixel <= 8 && header.coloursUsed > (1u << header.bitsPerPixel)) {
        return "corrupt bitmap data (palette too large)";
    }
    return pictureSizeError(header.width, header.height, memoryLeft);
}

// Where the pixels begin at the earliest: Qt ignores an offset that points into the headers.
std::uint64_t pixelStart(const BitmapHeader& header) {
    std::uint64_t start = kFileHeaderSize + header.headerSize;
    if (header.compression == kBitFields && header.headerSize == 40) {
        start += 12;
    }
    if (header.bitsPerPixel <= 8) {
        const std::uint64_t entries =
            header.coloursUsed != 0 ? header.coloursUsed : 1u << header.bitsPerPixel;
        start += entries * (header.headerSize == kCoreHeaderSize ? 3 : 4);
    }
    return std::max<std::uint64_t>(start, header.pixelOffset);
}

// Qt reads short uncompressed pixel data without complaint and leaves the rest undefined.
bool pixelsPresent(std::span<const std::uint8_t> bytes, const BitmapHeader& header) {
    const std::uint64_t start = pixelStart(header);
    if (start >= bytes.size()) {
        return false;
    }
    if (header.compression == kRle8 || header.compression == kRle4) {
        return true;
    }
    const std::uint64_t rowBytes = (header.width * header.bitsPerPixel + 31) / 32 * 4;
    return rowBytes * header.height <= bytes.size() - start;
}

// Pixels may name palette entries the file does not have; they show as opaque black.
void makeMissingEntriesBlack(QImage& image, const BitmapHeader& header) {
    const int defined =
        header.coloursUsed != 0 ? static_cast<int>(header.coloursUsed) : 1 << header.bitsPerPixel;
    QList<QRgb> table = image.colorTable();
    table.resize(256);
    for (int i = defined; i < 256; ++i) {
        table[i] = qRgb(0, 0, 0);
    }
    image.setColorTable(table);
}

} // namespace

PictureResult decodeBmp(std::span<const std::uint8_t> bytes, std::uint64_t memoryLeft) {
    if (bytes.empty()) {
        return pictureFailure("empty file");
    }
    BitmapHeader header;
    if (std::string refused = parseHeader(bytes, header, memoryLeft); !refused.empty()) {
        return pictureFailure(refused);
    }
    if (!pixelsPresent(bytes, header)) {
        return pictureFailure("truncated bitmap data");
    }

    const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<qsizetype>(bytes.size()));
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    reader.setAutoDetectImageFormat(false);
    reader.setAllocationLimit(static_cast<int>(kMaxDecodedBytes >> 20) + 1);
    QImage image = reader.read();
    if (image.isNull()) {
        return pictureFailure("corrupt bitmap data (" + reader.errorString().toStdString() + ")");
    }
    if (image.format() == QImage::Format_Indexed8) {
        makeMissingEntriesBlack(image, header);
    }
    image = image.convertToFormat(QImage::Format_ARGB32);
    if (image.isNull()) {
        return pictureFailure("not enough memory for the picture");
    }
    return {Picture{std::move(image), PictureFormat::Bitmap}, {}};
}

} // namespace skin
