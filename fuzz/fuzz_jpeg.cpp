#include "skin/picture.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const skin::PictureResult result = skin::decodeJpeg({data, size});
    if (result.picture.has_value() == !result.error.empty()) {
        __builtin_trap();
    }
    if (result.picture && result.picture->image.format() != QImage::Format_ARGB32) {
        __builtin_trap();
    }
    return 0;
}
