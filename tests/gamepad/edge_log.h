#pragma once

#include <string>
#include <utility>

#include "device/device.h"

namespace gamepad_test {

// The edges reported so far, as "A+ L- ..." (GAME A, GAME B, TIME, LEFT, RIGHT; + pressed).
struct EdgeLog {
    std::string edges;
    auto sink() {
        return [this](device::Button button, bool pressed) {
            edges += (edges.empty() ? "" : " ") + std::string(1, "ABTLR"[int(button)]) +
                     (pressed ? '+' : '-');
        };
    }
    std::string take() { return std::exchange(edges, {}); }
};

} // namespace gamepad_test
