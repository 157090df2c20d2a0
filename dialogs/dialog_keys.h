#pragma once

#include <cstdint>
#include <optional>
#include <span>

// What a key pressed anywhere in a dialog does, apart from any widget.
namespace dialogs {

enum class DialogKeyAction {
    PassOn,  // to the focused control
    Confirm, // the dialog's default button
    Swallow, // a confirm key while the default button is unavailable, where it goes no further
    Leave,   // Escape: the dialog's way out
};

// A dialog's confirm keys (Enter, and any the dialog adds), and whether they go no further
// while its default button is unavailable; otherwise they go on to the focused control.
struct DialogKeyRules {
    std::span<const std::uint16_t> confirmKeys;
    bool swallowUnavailableConfirm = false;
};

// By the key's virtual-key code; a key without one is passed on.
DialogKeyAction dialogKeyAction(const DialogKeyRules& rules,
                                std::optional<std::uint16_t> virtualKey, bool confirmAvailable);

} // namespace dialogs
