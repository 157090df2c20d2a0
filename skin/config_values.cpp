#include "skin/config_values.h"

#include <cctype>
#include <limits>

namespace skin {
namespace {

unsigned char lower(char c) {
    return static_cast<unsigned char>(std::tolower(static_cast<unsigned char>(c)));
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    const unsigned char l = lower(c);
    if (l >= 'a' && l <= 'f') {
        return l - 'a' + 10;
    }
    return -1;
}

} // namespace

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

std::optional<int> parseSkinInt(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    bool hex = false;
    if (text.front() == '$') {
        hex = true;
        text.remove_prefix(1);
    } else if (text.size() > 2 && text[0] == '0' && lower(text[1]) == 'x') {
        hex = true;
        text.remove_prefix(2);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    const std::uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    for (char c : text) {
        const int digit = hex ? hexDigit(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
        if (value > limit) {
            return std::nullopt;
        }
    }
    // Hexadecimal fills the 32 bits as they stand; the sign then applies to that value.
    std::int64_t signedValue = hex ? static_cast<std::int32_t>(static_cast<std::uint32_t>(value))
                                   : static_cast<std::int64_t>(value);
    if (negative) {
        signedValue = -signedValue;
    }
    if (signedValue < std::numeric_limits<std::int32_t>::min() ||
        signedValue > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(signedValue);
}

Rgb parseSkinColour(std::string_view text, std::string_view defaultText) {
    const auto value = parseSkinInt(text).value_or(parseSkinInt(defaultText).value_or(0));
    const auto bits = static_cast<std::uint32_t>(value);
    return Rgb{static_cast<std::uint8_t>(bits & 0xFF),
               static_cast<std::uint8_t>((bits >> 8) & 0xFF),
               static_cast<std::uint8_t>((bits >> 16) & 0xFF)};
}

std::string skinFolder(std::string_view value) {
    if (value.empty()) {
        return {};
    }
    std::string folder(value);
#ifndef _WIN32
    for (char& c : folder) {
        if (c == '\\') {
            c = '/';
        }
    }
    if (folder.back() != '/') {
        folder += '/';
    }
#else
    if (folder.back() != '\\' && folder.back() != '/') {
        folder += '\\';
    }
#endif
    return folder;
}

std::string joinPath(const std::string& folder, const std::string& name) {
    std::string path = folder + name;
#ifndef _WIN32
    for (char& c : path) {
        if (c == '\\') {
            c = '/';
        }
    }
#endif
    return path;
}

bool namesPicture(std::string_view fileName) {
    return !fileName.empty() && fileName != "nil";
}

std::optional<int> skinOffset(std::string_view text) {
    const auto value = parseSkinInt(text);
    if (value && *value != 0) {
        return value;
    }
    return std::nullopt;
}

} // namespace skin
