#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace shell {

// Pairs key releases with their presses by physical key, the way the device expects them:
// a held key's auto-repeated presses go on as presses (the device's latches make them act
// once), auto-repeated releases never reach the device, and a release carries the code its
// press had even if the layout or a modifier changed in between.
class KeyTracker {
public:
    // The code to deliver for a press, if the key has one. A repeat of a key pressed while
    // another window had the focus counts as its first press.
    std::optional<std::uint16_t> press(std::uint32_t physical, std::optional<std::uint16_t> code);
    // The code to deliver for a release: the one its press delivered, once.
    std::optional<std::uint16_t> release(std::uint32_t physical, bool autoRepeat);
    // Releases of every key still held, in the order they were pressed (focus lost).
    std::vector<std::uint16_t> releaseAll();

private:
    struct Held {
        std::uint16_t code;
        std::uint64_t order;
    };
    std::map<std::uint32_t, Held> held_;
    std::uint64_t pressCount_ = 0;
};

} // namespace shell
