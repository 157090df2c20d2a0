#include "dialogs/splash_logic.h"

#include "device/setting_entries.h"

namespace dialogs {

int driverForSoundMode(int soundMode) {
    const bool named = soundMode >= 0 && soundMode < static_cast<int>(kSoundDrivers.size());
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
