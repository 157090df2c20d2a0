#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace skin {

bool equalsIgnoringCase(std::string_view a, std::string_view b);

// An integer as skins write it: decimal with an optional sign, or hexadecimal after "$"
// or "0x" (hexadecimal takes all 32 bits, so "$FFFFFFFF" is -1); leading blanks allowed.
// Anything else, or a decimal number outside 32 bits, is no number.
std::optional<int> parseSkinInt(std::string_view text);

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    bool operator==(const Rgb&) const = default;
};

// A colour written as $00BBGGRR: red in the lowest byte. Text that is not a number takes
// the default text's colour.
Rgb parseSkinColour(std::string_view text, std::string_view defaultText);

// A folder value with a closing separator, "\" mapped to the platform's separator.
// An empty value stands for the working directory.
std::string skinFolder(std::string_view value);

// A file in a skin folder: the two joined as they stand, "\" mapped to the platform's
// separator.
std::string joinPath(const std::string& folder, const std::string& name);

// The empty value and the exact text "nil" name no picture.
bool namesPicture(std::string_view fileName);

// A game offset: a nonzero integer is the offset itself; anything else centres.
std::optional<int> skinOffset(std::string_view text);

} // namespace skin
