#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "device/ports.h"
#include "device/virtual_keys.h"
#include "dialogs/dialog_keys.h"
#include "dialogs/splash_host.h"

// What the splash dialog decides, apart from any widget.
namespace dialogs {

// The driver list in its order: an entry's position is the stored SoundMode.
inline constexpr std::array<std::string_view, 3> kSoundDrivers = {
    "Microsoft DirectSound",
    "Windows MultiMedia",
    "(no sound)",
};
inline constexpr int kNoDriver = -1;

// The list entry a stored SoundMode selects; kNoDriver for anything that names no entry.
int driverForSoundMode(int soundMode);

// Play needs a driver: without one there is nothing to start sound with.
inline bool playAvailable(int driver) {
    return driver != kNoDriver;
}

// A driver chosen on an earlier run and the splash switched off: Play runs unseen.
inline bool skipsSplash(int driver, bool splashAtStartup) {
    return playAvailable(driver) && !splashAtStartup;
}

// Enter and 1 play; while Play is unavailable they do nothing at all. Escape quits.
inline constexpr std::array<std::uint16_t, 2> kPlayKeys = {device::vk::Return, device::vk::Digit1};
inline constexpr DialogKeyRules kSplashKeys{kPlayKeys, true};

struct SplashStart {
    int driver;
    bool splashAtStartup;
};

// The dialog's dealings with the settings store and the rest of the program.
class SplashLogic {
public:
    SplashLogic(device::Settings& settings, SplashHost& host) : settings_(settings), host_(host) {}

    SplashStart readStart();
    // Starts sound with `driver`; only when that works is the splash choice stored and the
    // program told. False when sound failed: the program is ending and nothing else is done.
    bool play(int driver, bool splashAtStartup);
    void quit() { host_.quitAtOnce(); }

private:
    device::Settings& settings_;
    SplashHost& host_;
};

} // namespace dialogs
