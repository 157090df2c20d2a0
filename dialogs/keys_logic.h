#pragma once

#include <array>

#include "device/key_table.h"
#include "device/virtual_keys.h"
#include "dialogs/dialog_keys.h"
#include "dialogs/keys_host.h"

// What the key settings dialog decides, apart from any widget.
namespace dialogs {

// A list position (0-based) per binding slot, GAME A, GAME B, TIME, LEFT, RIGHT.
using KeySelections = std::array<int, device::kBindingCount>;
inline constexpr int kNoKey = -1;

// The list position a stored key index selects; kNoKey for an index with no row.
int listPositionForKeyIndex(int keyIndex);

struct KeyCheck {
    std::array<bool, device::kBindingCount> inConflict{};
    bool anyConflict = false;
};

// Which slots share a key with another slot. Two lists without a selection share "no key":
// storing that would bind two buttons to nothing.
KeyCheck CheckKeys(const KeySelections& selections);

inline bool acceptAvailable(const KeySelections& selections) {
    return !CheckKeys(selections).anyConflict;
}

// Enter accepts; while two buttons share a key it goes on to the focused list. Escape leaves.
inline constexpr std::array<std::uint16_t, 1> kAcceptKeys = {device::vk::Return};
inline constexpr DialogKeyRules kKeySettingsKeys{kAcceptKeys, false};

// The dialog's dealings with the rest of the program.
class KeysLogic {
public:
    explicit KeysLogic(KeysHost& host) : host_(host) {}

    KeySelections storedSelections() const;
    // Stores the chosen keys and gives the main window back. False, doing nothing, while two
    // slots share a key.
    bool accept(const KeySelections& selections);
    // Any way out without Accept: nothing is stored.
    void leave() { host_.enableMainWindow(); }

private:
    KeysHost& host_;
};

} // namespace dialogs
