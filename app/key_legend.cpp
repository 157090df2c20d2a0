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

std::optional<QRect> keyLegendPlace(QSize screen, QSize text, const std::vector<QRect>& taken) {
    const int left = (screen.width() - text.width()) / 2;
    if (left < kMargin) {
        return std::nullopt;
    }
    const QRect bottom(left, screen.height() - kMargin - text.height(), text.width(),
                       text.height());
    const QRect top(left, kMargin, text.width(), text.height());
    for (const QRect& place : {bottom, top}) {
        if (place.top() < kMargin) {
            continue;
        }
        const bool free = std::none_of(taken.begin(), taken.end(), [&](const QRect& r) {
            return r.intersects(place.adjusted(-kMargin, -kMargin, kMargin, kMargin));
        });
        if (free) {
            return place;
        }
    }
    return std::nullopt;
}

} // namespace app
