#include "skin/picture.h"

#include <csetjmp>
#include <cstdio>
// jpeglib.h needs size_t and FILE declared before it.
#include <jerror.h>
#include <jpeglib.h>

#include <vector>

namespace skin {
namespace {

// A hostile progressive file can repeat scans over the whole picture; real ones use a few dozen.
constexpr int kMaxScans = 256;
constexpr long kMaxLibraryMemory = 1024L << 20;

// libjpeg reports errors through these callbacks, which must not return: they keep the message
// and jump back to the setjmp of whichever read step is running.
struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void fail(j_common_ptr cinfo, const char* message) {
    auto* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
    std::snprintf(errors->message, sizeof errors->message, "%s", message);
    std::longjmp(errors->jump, 1);
}

void onJpegError(j_common_ptr cinfo) {
    char text[JMSG_LENGTH_MAX];
    cinfo->err->format_message(cinfo, text);
    char message[JMSG_LENGTH_MAX + 32];
    std::snprintf(message, sizeof message, "corrupt JPEG data (%s)", text);
    fail(cinfo, message);
}

// The library answers running out of data with a warning and a made-up end of picture, which
// would show a half-grey picture; that is refused instead. Other warnings are tolerated.
void onJpegMessage(j_common_ptr cinfo, int level) {
    if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) {
        fail(cinfo, "truncated JPEG data");
    }
}

void onJpegProgress(j_common_ptr cinfo) {
    auto* decompress = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (decompress->input_scan_number > kMaxScans) {
        fail(cinfo, "corrupt JPEG data (too many scans)");
    }
}

QRgb cmykToRgb(int c, int m, int y, int k, bool inverted) {
    if (!inverted) {
        c = 255 - c;
        m = 255 - m;
        y = 255 - y;
        k = 255 - k;
    }
    return qRgb(c * k / 255, m * k / 255, y * k / 255);
}

void convertRow(const JSAMPLE* in, QRgb* out, int width, int components, bool invertedCmyk) {
    for (int x = 0; x < width; ++x, in += components) {
        switch (components) {
        case 1:
            out[x] = qRgb(in[0], in[0], in[0]);
            break;
        case 3:
            out[x] = qRgb(in[0], in[1], in[2]);
            break;
        default:
            out[x] = cmykToRgb(in[0], in[1], in[2], in[3], invertedCmyk);
            break;
        }
    }
}

// Owns the libjpeg state so that every way out of decodeJpeg frees it.
class JpegReader {
public:
    JpegReader() {
        info_.err = jpeg_std_error(&errors_.manager);
        errors_.manager.error_exit = onJpegError;
        errors_.manager.emit_message = onJpegMessage;
        progress_.progress_monitor = onJpegProgress;
    }
    ~JpegReader() { jpeg_destroy_decompress(&info_); }
    JpegReader(const JpegReader&) = delete;
    JpegReader& operator=(const JpegReader&) = delete;

    std::string message() const { return errors_.message; }
    JDIMENSION width() const { return info_.image_width; }
    JDIMENSION height() const { return info_.image_height; }
    int components() const { return info_.out_color_components; }

    // Reads the header and chooses grey, RGB or CMYK output for the file's colour space.
    bool readHeader(std::span<const std::uint8_t> bytes) {
        if (setjmp(errors_.jump)) {
            return false;
        }
        jpeg_create_decompress(&info_);
        info_.mem->max_memory_to_use = kMaxLibraryMemory;
        info_.progress = &progress_;
        jpeg_mem_src(&info_, bytes.data(), static_cast<unsigned long>(bytes.size()));
        jpeg_read_header(&info_, TRUE);
        switch (info_.jpeg_color_space) {
        case JCS_GRAYSCALE:
            info_.out_color_space = JCS_GRAYSCALE;
            break;
        case JCS_CMYK:
        case JCS_YCCK:
            info_.out_color_space = JCS_CMYK;
            break;
        default:
            info_.out_color_space = JCS_RGB;
            break;
        }
        return true;
    }

    // Decodes into the picture; row has room for one scanline of the chosen output.
    bool readPixels(QImage& image, JSAMPLE* row) {
        if (setjmp(errors_.jump)) {
            return false;
        }
        jpeg_start_decompress(&info_);
        // Adobe's own CMYK files store the inks inverted and say so with their marker.
        const bool invertedCmyk = info_.saw_Adobe_marker;
        while (info_.output_scanline < info_.output_height) {
            const int y = static_cast<int>(info_.output_scanline);
            JSAMPROW rows[1] = {row};
            jpeg_read_scanlines(&info_, rows, 1);
            convertRow(row, reinterpret_cast<QRgb*>(image.scanLine(y)), image.width(),
                       info_.out_color_components, invertedCmyk);
        }
        return true;
    }

private:
    jpeg_decompress_struct info_{};
    JpegErrors errors_{};
    jpeg_progress_mgr progress_{};
};

} // namespace

PictureResult decodeJpeg(std::span<const std::uint8_t> bytes, std::uint64_t memoryLeft) {
    if (bytes.empty()) {
        return pictureFailure("empty file");
    }
    if (bytes[0] != 0xFF || (bytes.size() > 1 && bytes[1] != 0xD8)) {
        return pictureFailure("not a JPEG file");
    }
    if (bytes.size() < 4) {
        return pictureFailure("truncated JPEG data");
    }

    JpegReader reader;
    if (!reader.readHeader(bytes)) {
        return pictureFailure(reader.message());
    }
    if (std::string refused = pictureSizeError(reader.width(), reader.height(), memoryLeft);
        !refused.empty()) {
        return pictureFailure(refused);
    }
    QImage image(static_cast<int>(reader.width()), static_cast<int>(reader.height()),
                 QImage::Format_ARGB32);
    if (image.isNull()) {
        return pictureFailure("not enough memory for the picture");
    }
    std::vector<JSAMPLE> row(static_cast<std::size_t>(reader.width()) * 4);
    if (!reader.readPixels(image, row.data())) {
        return pictureFailure(reader.message());
    }
    return {Picture{std::move(image), PictureFormat::Jpeg}, {}};
}

} // namespace skin
