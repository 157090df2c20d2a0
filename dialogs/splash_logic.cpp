#include "dialogs/splash_logic.h"

#include "device/setting_entries.h"

namespace dialogs {

// A stored SoundMode other than "none chosen" names an entry of the list.
static_assert(device::setting::SoundMode.range.min == kNoDriver &&
              device::setting::SoundMode.range.max == static_cast<int>(kSoundDrivers.size()) - 1);

int driverForSoundMode(int soundMode) {
    const bool named =
        soundMode != kNoDriver && device::setting::SoundMode.range.contains(soundMode);
    return named ? soundMode : kNoDriver;
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
