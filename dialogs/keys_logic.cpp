#include "dialogs/keys_logic.h"

namespace dialogs {

int listPositionForKeyIndex(int keyIndex) {
    return device::isValidKeyIndex(keyIndex) ? keyIndex - 1 : kNoKey;
}

KeyCheck CheckKeys(const KeySelections& selections) {
    KeyCheck check;
    for (std::size_t j = 0; j < selections.size(); ++j) {
        for (std::size_t k = 0; k < selections.size(); ++k) {
            if (j != k && selections[j] == selections[k]) {
                check.inConflict[j] = true;
                check.inConflict[k] = true;
                check.anyConflict = true;
            }
        }
    }
    return check;
}

KeySelections KeysLogic::storedSelections() const {
    KeySelections selections{};
    const auto indexes = host_.keyIndexes();
    for (std::size_t slot = 0; slot < selections.size(); ++slot) {
        selections[slot] = listPositionForKeyIndex(indexes[slot]);
    }
    return selections;
}

bool KeysLogic::accept(const KeySelections& selections) {
    if (!acceptAvailable(selections)) {
        return false;
    }
    // At most one list can be without a selection here; its slot gets index 0, which binds
    // no key and keeps the slot's previous key code.
    std::array<int, device::kBindingCount> indexes{};
    for (std::size_t slot = 0; slot < indexes.size(); ++slot) {
        indexes[slot] = selections[slot] + 1;
    }
    host_.acceptBindings(indexes);
    host_.enableMainWindow();
    return true;
}

} // namespace dialogs
