#include "device/key_table.h"

#include "device/virtual_keys.h"

namespace device {
namespace {

constexpr std::array<std::string_view, 36> kCharTexts = {
    "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "A", "B", "C", "D", "E", "F", "G", "H",
    "I", "J", "K", "L", "M", "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z",
};

std::array<KeyRow, kKeyCount> buildTable() {
    std::array<KeyRow, kKeyCount> rows{};
    for (int n = 1; n <= 36; ++n) {
        std::string_view text = kCharTexts[n - 1];
        std::uint16_t code = n <= 10 ? static_cast<std::uint16_t>(vk::Digit0 + n - 1)
                                     : static_cast<std::uint16_t>(vk::LetterA + n - 11);
        rows[n - 1] = KeyRow{n, text, code, "'" + std::string(text) + "'"};
    }
    rows[36] = KeyRow{37, "<UP ARROW>", vk::Up, "'up arrow' key"};
    rows[37] = KeyRow{38, "<DOWN ARROW>", vk::Down, "'down arrow' key"};
    rows[38] = KeyRow{39, "<LEFT ARROW>", vk::Left, "'left arrow' key"};
    rows[39] = KeyRow{40, "<RIGHT ARROW>", vk::Right, "'right arrow' key"};
    rows[40] = KeyRow{41, "<ALT>", vk::Alt, "'alt' key"};
    rows[41] = KeyRow{42, "<CTRL>", vk::Control, "'ctrl' key"};
    rows[42] = KeyRow{43, "<SHIFT>", vk::Shift, "'shift' key"};
    rows[43] = KeyRow{44, "<SPACEBAR>", vk::Space, "'spacebar'"};
    return rows;
}

} // namespace

const std::array<KeyRow, kKeyCount>& keyTable() {
    static const std::array<KeyRow, kKeyCount> table = buildTable();
    return table;
}

std::optional<std::uint16_t> keyCodeForIndex(int index) {
    if (!isValidKeyIndex(index)) {
        return std::nullopt;
    }
    return keyTable()[index - 1].code;
}

std::optional<int> keyIndexForCode(std::uint16_t code) {
    for (const KeyRow& row : keyTable()) {
        if (row.code == code) {
            return row.index;
        }
    }
    return std::nullopt;
}

} // namespace device
