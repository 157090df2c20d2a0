#include "skin/picture.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <vector>

namespace skin {
namespace {

std::string lowerExtension(const std::string& path) {
    const std::size_t dot = path.find_last_of('.');
    const std::size_t slash = path.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return {};
    }
    std::string extension = path.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

using Decoder = PictureResult (*)(std::span<const std::uint8_t>, std::uint64_t);

Decoder decoderFor(const std::string& extension) {
    if (extension == ".bmp") {
        return decodeBmp;
    }
    if (extension == ".png") {
        return decodePng;
    }
    if (extension == ".jpg" || extension == ".jpeg") {
        return decodeJpeg;
    }
    return nullptr;
}

// Refuses a file far larger than any acceptable picture could be, before reading it.
constexpr std::uintmax_t kMaxFileBytes = kMaxDecodedBytes + (1u << 20);

} // namespace

PictureResult loadPictureFile(const std::string& path, std::uint64_t memoryLeft) {
    const Decoder decode = decoderFor(lowerExtension(path));
    if (decode == nullptr) {
        return pictureFailure(path + ": unknown picture format (not .bmp, .png, .jpg or .jpeg)");
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return pictureFailure(path + ": cannot open the file");
    }
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    if (size < 0) {
        return pictureFailure(path + ": cannot read the file");
    }
    if (static_cast<std::uintmax_t>(size) > kMaxFileBytes) {
        return pictureFailure(path + ": file too large for a picture");
    }
    file.seekg(0, std::ios::beg);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (!file.read(reinterpret_cast<char*>(bytes.data()), size)) {
        return pictureFailure(path + ": cannot read the file");
    }
    PictureResult result = decode(bytes, memoryLeft);
    if (!result.picture) {
        result.error = path + ": " + result.error;
    }
    return result;
}

} // namespace skin
