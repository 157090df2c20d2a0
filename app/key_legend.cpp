#include "app/key_legend.h"

#include <algorithm>

namespace app {
namespace {

constexpr int kMargin = 8;

// A key as its cap reads: digits and letters themselves, arrows as arrows, the rest by name.
std::string capName(int keyIndex) {
    switch (keyIndex) {
    case 37:
        return "\u2191";
    case 38:
        return "\u2193";
    case 39:
        return "\u2190";
    case 40:
        return "\u2192";
    case 41:
        return "Alt";
    case 42:
        return "Ctrl";
    case 43:
        return "Shift";
    case 44:
        return "Space";
    default:
        break;
    }
    if (!device::isValidKeyIndex(keyIndex)) {
        return "?";
    }
    return std::string(device::keyTable()[static_cast<std::size_t>(keyIndex - 1)].listText);
}

} // namespace

std::string keyLegendText(const std::array<int, device::kBindingCount>& keyIndexes) {
    const char* dot = " \u00b7 ";
    std::string text = capName(keyIndexes[0]) + " GAME A" + dot + capName(keyIndexes[1]) +
                       " GAME B" + dot + capName(keyIndexes[2]) + " TIME" + dot;
    // The arrows say which way they go; other keys need their button's name.
    if (keyIndexes[3] == 39 && keyIndexes[4] == 40) {
        text += capName(39) + " " + capName(40);
    } else {
        text += capName(keyIndexes[3]) + " LEFT" + dot + capName(keyIndexes[4]) + " RIGHT";
    }
    return text + dot + "right-click: menu";
}

std::optional<skin::Box> keyLegendPlace(skin::Box screen, skin::Box text,
                                        const std::vector<skin::Box>& taken) {
    const int left = (screen.width - text.width) / 2;
    if (left < kMargin) {
        return std::nullopt;
    }
    const skin::Box bottom{left, screen.height - kMargin - text.height, text.width, text.height};
    const skin::Box top{left, kMargin, text.width, text.height};
    // Each place keeps a margin clear around it.
    const auto meets = [](const skin::Box& a, const skin::Box& b) {
        return a.width > 0 && a.height > 0 && a.left < b.left + b.width + kMargin &&
               b.left - kMargin < a.left + a.width && a.top < b.top + b.height + kMargin &&
               b.top - kMargin < a.top + a.height;
    };
    for (const skin::Box& place : {bottom, top}) {
        if (place.top < kMargin) {
            continue;
        }
        if (std::none_of(taken.begin(), taken.end(),
                         [&](const skin::Box& r) { return meets(r, place); })) {
            return place;
        }
    }
    return std::nullopt;
}

} // namespace app
