#pragma once

#include <array>

#include "device/key_table.h"

namespace dialogs {

// What the key settings dialog needs from the rest of the program.
class KeysHost {
public:
    virtual ~KeysHost() = default;
    // The key index of each binding, slots GAME A, GAME B, TIME, LEFT, RIGHT.
    virtual std::array<int, device::kBindingCount> keyIndexes() const = 0;
    // Accept: each slot's index set, stored and its key code derived, then the
    // button hints rebuilt.
    virtual void acceptBindings(const std::array<int, device::kBindingCount>& keyIndexes) = 0;
    // The main window takes keys and clicks again.
    virtual void enableMainWindow() = 0;
};

} // namespace dialogs
