// Key bindings and the button pictures' hints that name them.
#include "device/device.h"

#include "device/setting_entries.h"

namespace device {

void Device::BuildKeyHintNames() {
    for (const KeyRow& row : keyTable()) {
        KeyHintNames[static_cast<std::size_t>(row.index - 1)] = row.hintName;
    }
}

void Device::AssignWord(int slot) {
    if (slot < 1 || slot > kBindingCount) {
        return;
    }
    KeyBinding& binding = KeyBindings[static_cast<std::size_t>(slot - 1)];
    if (auto code = keyCodeForIndex(binding.KeyIndex)) {
        binding.KeyCode = *code;
    }
}

void Device::RefreshButtonHints() {
    auto keyName = [this](int slot) -> std::string {
        const int keyIndex = KeyBindings[static_cast<std::size_t>(slot - 1)].KeyIndex;
        return isValidKeyIndex(keyIndex) ? KeyHintNames[static_cast<std::size_t>(keyIndex - 1)]
                                         : std::string{};
    };
    auto hint = [this](HintPicture picture) -> std::string& {
        return hints_[static_cast<std::size_t>(picture)];
    };
    const std::string prefix = "click or press ";
    hint(HintPicture::btn_game_a_top) =
        prefix + keyName(1) + " " + "to start game A (hold to view highscore)";
    hint(HintPicture::btn_game_b_top) =
        prefix + keyName(2) + " " + "to start game B (hold to view highscore)";
    hint(HintPicture::btn_time_top) = prefix + keyName(3) + " " + "to switch mode";
    hint(HintPicture::btn_set_top) = "button disabled";
    hint(HintPicture::btn_left_top) = prefix + keyName(4);
    hint(HintPicture::btn_right_top) = prefix + keyName(5);
    ports_.display.hintsChanged();
}

void Device::acceptBinding(int slot, int keyIndex) {
    // An index without a key would be stored and named in the hints as an empty key.
    if (slot < 1 || slot > kBindingCount ||
        !setting::Keys[static_cast<std::size_t>(slot - 1)].range.contains(keyIndex)) {
        return;
    }
    KeyBindings[static_cast<std::size_t>(slot - 1)].KeyIndex = keyIndex;
    setting::write(ports_.settings, setting::Keys[static_cast<std::size_t>(slot - 1)], keyIndex);
    AssignWord(slot);
    RefreshButtonHints();
}

const std::string& Device::buttonHint(HintPicture picture) const {
    return hints_[static_cast<std::size_t>(picture)];
}

} // namespace device
