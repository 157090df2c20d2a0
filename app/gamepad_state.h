#pragma once

#include <SDL_events.h>

#include <array>
#include <bitset>
#include <cstddef>
#include <functional>
#include <map>

#include "device/device.h"

namespace app {

// What gamepads do to the device's five buttons, from SDL's game-controller events alone:
// it calls no SDL function, so it runs on events made up by hand as well as on real ones.
//
// The mapping is fixed: d-pad left/right and the left stick's X axis give LEFT/RIGHT, A gives
// GAME A, B gives GAME B, X or Back gives TIME. A device button is down while any source on
// any pad holds it, and each change comes out once, as (button, pressed).
//
// While the program has no active window the pads are shut out, as the keyboard is: what they
// hold is let go, and a source held across the switch must be let go and pressed again before
// it counts.
class GamepadState {
public:
    using Sink = std::function<void(device::Button button, bool pressed)>;

    // The stick pushes at kStickPress from centre and counts as back at under kStickRelease,
    // so a stick resting near the threshold does not chatter.
    static constexpr int kStickPress = 16000;
    static constexpr int kStickRelease = 12000;

    explicit GamepadState(Sink sink);

    // A pad opened under SDL's instance id; events of pads not attached are ignored.
    void attach(SDL_JoystickID pad);
    // Whatever the pad held is let go.
    void detach(SDL_JoystickID pad);
    // Every pad's buttons are let go and the pads forgotten.
    void detachAll();

    // Controller button and axis events of attached pads, and SDL_CONTROLLERDEVICEREMOVED (a
    // detach). SDL_CONTROLLERDEVICEADDED carries a device index, not a pad: opening the pad
    // and calling attach() is the caller's part. Other events are ignored.
    void handle(const SDL_Event& event);

    void setActive(bool active);
    bool isActive() const { return active_; }

    bool isHeld(device::Button button) const;
    std::size_t padCount() const { return pads_.size(); }

private:
    enum Source : std::size_t { DpadLeft, DpadRight, StickLeft, StickRight, A, B, X, Back, kCount };
    using Sources = std::bitset<kCount>;

    struct Pad {
        Sources held;    // as the pad reports them, shut out or not
        Sources counted; // held and pressed while the program was active
        int stick = 0;   // -1 left, 0 centre, +1 right
    };

    void setSource(Pad& pad, Source source, bool down);
    void moveStick(Pad& pad, int value);
    // Reports each button whose state differs from what was last reported.
    void report();

    Sink sink_;
    std::map<SDL_JoystickID, Pad> pads_;
    std::array<bool, 5> reported_{};
    bool active_ = true;
};

} // namespace app
