#pragma once

#include <cstdint>
#include <optional>

class QKeyEvent;

namespace shell {

// The Windows virtual-key code of a key event, as the device's key table and the dialogs
// know keys: the digit row by physical position (Shift+1 or an AZERTY layout still give
// '1'), letters as the layout names them (the physical QWERTY position for non-Latin
// layouts), the arrows, Alt, Ctrl and Shift of either side, space, Enter, Escape and F1..F12.
// Keypad keys and everything else have none. Modifiers do not change the code.
std::optional<std::uint16_t> virtualKeyCode(const QKeyEvent& event);

// The physical key of an event, for pairing a release with its press.
std::uint32_t physicalKey(const QKeyEvent& event);

} // namespace shell
