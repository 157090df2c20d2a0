#include "device/stored_text.h"

#include <charconv>
#include <cstdint>

namespace device {

std::optional<int> parseStoredInt(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    // from_chars accepts a leading minus but no plus, blanks or other prefixes: exactly the
    // stored decimal form.
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value, 10);
    if (ec != std::errc{} || ptr != end) {
        return std::nullopt;
    }
    return value;
}

std::string formatStoredInt(int value) {
    return std::to_string(value);
}

int TextSettings::readInt(std::string_view name, int defaultValue) {
    auto text = readText(name);
    if (!text) {
        return defaultValue;
    }
    return parseStoredInt(*text).value_or(defaultValue);
}

bool TextSettings::readBool(std::string_view name, bool defaultValue) {
    return readInt(name, defaultValue ? 1 : 0) != 0;
}

void TextSettings::writeInt(std::string_view name, int value) {
    writeText(name, formatStoredInt(value));
}

void TextSettings::writeBool(std::string_view name, bool value) {
    writeText(name, value ? "1" : "0");
}

} // namespace device
