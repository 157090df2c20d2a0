#include "dialogs/dialog_keys.h"

#include <algorithm>

#include "device/virtual_keys.h"

namespace dialogs {

DialogKeyAction dialogKeyAction(const DialogKeyRules& rules,
                                std::optional<std::uint16_t> virtualKey, bool confirmAvailable) {
    if (!virtualKey) {
        return DialogKeyAction::PassOn;
    }
    if (*virtualKey == device::vk::Escape) {
        return DialogKeyAction::Leave;
    }
    // Not std::ranges: the browser build's standard library (LLVM 14) lacks its algorithms.
    if (std::find(rules.confirmKeys.begin(), rules.confirmKeys.end(), *virtualKey) ==
        rules.confirmKeys.end()) {
        return DialogKeyAction::PassOn;
    }
    if (confirmAvailable) {
        return DialogKeyAction::Confirm;
    }
    return rules.swallowUnavailableConfirm ? DialogKeyAction::Swallow : DialogKeyAction::PassOn;
}

} // namespace dialogs
