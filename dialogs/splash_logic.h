#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "device/ports.h"
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

enum class KeyAction {
    PassOn, // to the focused control
    Play,
    Swallow, // a Play key while Play is unavailable
    Quit,
};

// What a key pressed anywhere in the dialog does, by its virtual-key code.
KeyAction keyAction(std::optional<std::uint16_t> virtualKey, bool playAvailable);

// Where a window of side `size` starts to be centred on a screen of side `screen`; a window
// larger than the screen keeps its start on the screen.
inline int centredStart(int screen, int size) {
    const int start = (screen - size) / 2;
    return start < 0 ? 0 : start;
}

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
