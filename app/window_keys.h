#pragma once

#include <cstdint>
#include <optional>
#include <set>

class QKeyEvent;

namespace app {

// Keys of the program itself, which no device key can be bound to.
enum class WindowCommand {
    ZoomIn,  // + (main row or keypad)
    ZoomOut, // -
    Pause,   // Pause, to freeze and resume the device
};

std::optional<WindowCommand> windowCommandFor(const QKeyEvent& key);

// Tells a key's first press from its repeats, so a command acts once however long its key is
// held: a press flagged as a repeat, or one with no release since the last, is a repeat.
class FirstPresses {
public:
    bool press(std::uint32_t physical, bool autoRepeat);
    void release(std::uint32_t physical, bool autoRepeat);
    // The focus left: releases will not be seen.
    void clear() { held_.clear(); }

private:
    std::set<std::uint32_t> held_;
};

} // namespace app
