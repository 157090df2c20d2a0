#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "device/key_table.h"
#include "skin/components.h"

namespace app {

// The full-screen legend of the keys in force, from the five bindings (GAME A, GAME B, TIME,
// LEFT, RIGHT): "1 GAME A · 2 GAME B · 3 TIME · ← → · right-click: menu".
std::string keyLegendText(const std::array<int, device::kBindingCount>& keyIndexes);

// Where a legend of `text` size (its width and height; left and top unused) goes on a screen
// of `screen` size: centred under the device, else centred over it, never overlapping any of
// `taken` (the device, the logo, the menu button). Nothing when no such place is free.
std::optional<skin::Box> keyLegendPlace(skin::Box screen, skin::Box text,
                                        const std::vector<skin::Box>& taken);

} // namespace app
