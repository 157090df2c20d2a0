#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace device {

// One bindable key: the stored index (1-based), the text of the key settings lists,
// the Windows virtual-key code matched by the key handlers, and the name used in hints.
struct KeyRow {
    int index;
    std::string_view listText;
    std::uint16_t code;
    std::string hintName;
};

inline constexpr int kKeyCount = 44;
inline constexpr int kBindingCount = 5;

// The 44 rows in key-index order: '0'..'9', 'A'..'Z', the arrows up, down, left, right,
// Alt, Ctrl, Shift and the space bar.
const std::array<KeyRow, kKeyCount>& keyTable();

constexpr bool isValidKeyIndex(int index) {
    return index >= 1 && index <= kKeyCount;
}
std::optional<std::uint16_t> keyCodeForIndex(int index);
// The row whose code is `code`, if any key of the table has it.
std::optional<int> keyIndexForCode(std::uint16_t code);

struct KeyBinding {
    std::int32_t KeyIndex = 0;
    std::uint16_t KeyCode = 0;
};

} // namespace device
