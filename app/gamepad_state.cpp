#include "app/gamepad_state.h"

#include <optional>
#include <utility>

#include <SDL_gamecontroller.h>

namespace app {

namespace {

constexpr std::array<device::Button, 5> kButtons = {
    device::Button::GameA, device::Button::GameB, device::Button::Time,
    device::Button::Left,  device::Button::Right,
};

} // namespace

GamepadState::GamepadState(Sink sink) : sink_(std::move(sink)) {}

void GamepadState::attach(SDL_JoystickID pad) {
    pads_.try_emplace(pad);
}

void GamepadState::detach(SDL_JoystickID pad) {
    if (pads_.erase(pad) != 0) {
        report();
    }
}

void GamepadState::detachAll() {
    pads_.clear();
    report();
}

void GamepadState::handle(const SDL_Event& event) {
    switch (event.type) {
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
        const auto pad = pads_.find(event.cbutton.which);
        if (pad == pads_.end()) {
            return;
        }
        std::optional<Source> source;
        switch (event.cbutton.button) {
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
            source = DpadLeft;
            break;
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
            source = DpadRight;
            break;
        case SDL_CONTROLLER_BUTTON_A:
            source = A;
            break;
        case SDL_CONTROLLER_BUTTON_B:
            source = B;
            break;
        case SDL_CONTROLLER_BUTTON_X:
            source = X;
            break;
        case SDL_CONTROLLER_BUTTON_BACK:
            source = Back;
            break;
        default:
            return;
        }
        setSource(pad->second, *source, event.type == SDL_CONTROLLERBUTTONDOWN);
        report();
        break;
    }
    case SDL_CONTROLLERAXISMOTION: {
        const auto pad = pads_.find(event.caxis.which);
        if (pad == pads_.end() || event.caxis.axis != SDL_CONTROLLER_AXIS_LEFTX) {
            return;
        }
        moveStick(pad->second, event.caxis.value);
        report();
        break;
    }
    case SDL_CONTROLLERDEVICEREMOVED:
        detach(event.cdevice.which);
        break;
    default:
        break;
    }
}

void GamepadState::setActive(bool active) {
    active_ = active;
    if (!active) {
        for (auto& [id, pad] : pads_) {
            pad.counted.reset();
        }
        report();
    }
}

bool GamepadState::isHeld(device::Button button) const {
    Sources mask;
    switch (button) {
    case device::Button::GameA:
        mask.set(A);
        break;
    case device::Button::GameB:
        mask.set(B);
        break;
    case device::Button::Time:
        mask.set(X).set(Back);
        break;
    case device::Button::Left:
        mask.set(DpadLeft).set(StickLeft);
        break;
    case device::Button::Right:
        mask.set(DpadRight).set(StickRight);
        break;
    }
    for (const auto& [id, pad] : pads_) {
        if ((pad.counted & mask).any()) {
            return true;
        }
    }
    return false;
}

void GamepadState::setSource(Pad& pad, Source source, bool down) {
    const bool wasHeld = pad.held[source];
    pad.held[source] = down;
    if (!down) {
        pad.counted[source] = false;
    } else if (!wasHeld && active_) {
        // Only a fresh press counts: one held while the program was inactive stays shut out.
        pad.counted[source] = true;
    }
}

void GamepadState::moveStick(Pad& pad, int value) {
    if (value <= -kStickPress) {
        pad.stick = -1;
    } else if (value >= kStickPress) {
        pad.stick = 1;
    } else if (pad.stick < 0 ? value > -kStickRelease : value < kStickRelease) {
        pad.stick = 0;
    }
    setSource(pad, StickLeft, pad.stick < 0);
    setSource(pad, StickRight, pad.stick > 0);
}

void GamepadState::report() {
    // Releases first, so a stick swung from side to side never holds both at once.
    for (const bool pressing : {false, true}) {
        for (const device::Button button : kButtons) {
            bool& reported = reported_[static_cast<std::size_t>(button)];
            // Recorded before the call, so a sink that feeds this state again finds it current.
            if (isHeld(button) == pressing && reported != pressing) {
                reported = pressing;
                sink_(button, pressing);
            }
        }
    }
}

} // namespace app
