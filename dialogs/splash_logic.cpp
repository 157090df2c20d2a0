#include "dialogs/splash_logic.h"

#include "device/setting_entries.h"
#include "device/virtual_keys.h"
#include "shell/key_translation.h"

namespace dialogs {
namespace {} // namespace

int driverForSoundMode(int soundMode) {
    const bool named = soundMode >= 0 && soundMode < static_cast<int>(kSoundDrivers.size());
    return named ? soundMode : kNoDriver;
}

KeyAction keyAction(std::optional<std::uint16_t> virtualKey, bool playAvailable) {
    if (!virtualKey) {
        return KeyAction::PassOn;
    }
    switch (*virtualKey) {
    case device::vk::Return:
    case device::vk::Digit1:
        return playAvailable ? KeyAction::Play : KeyAction::Swallow;
    case device::vk::Escape:
        return KeyAction::Quit;
    default:
        return KeyAction::PassOn;
    }
}

SplashStart SplashLogic::readStart() {
    const int driver =
        driverForSoundMode(device::setting::read(settings_, device::setting::SoundMode));
    const bool splash = device::setting::read(settings_, device::setting::SplashScreen);
    return {driver, splash};
}

bool SplashLogic::play(int driver, bool splashAtStartup) {
    // Starting sound stores the driver itself, so that a failure can reset it.
    if (!host_.startSound(driver)) {
        return false;
    }
    device::setting::write(settings_, device::setting::SplashScreen, splashAtStartup);
    host_.splashPlayed(splashAtStartup);
    return true;
}

} // namespace dialogs
