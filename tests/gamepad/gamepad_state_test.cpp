#include <gtest/gtest.h>

#include "app/gamepad_state.h"
#include "tests/gamepad/edge_log.h"

namespace gamepad_test {
namespace {

class GamepadState : public ::testing::Test {
protected:
    GamepadState() {
        state.attach(1);
        state.attach(2);
    }
    void button(int which, bool down, SDL_JoystickID pad = 1) {
        SDL_Event event{};
        event.type = down ? SDL_CONTROLLERBUTTONDOWN : SDL_CONTROLLERBUTTONUP;
        event.cbutton.which = pad;
        event.cbutton.button = Uint8(which);
        state.handle(event);
    }
    void axis(int value, int which = SDL_CONTROLLER_AXIS_LEFTX) {
        SDL_Event event{};
        event.caxis.type = SDL_CONTROLLERAXISMOTION;
        event.caxis.which = 1;
        event.caxis.axis = Uint8(which);
        event.caxis.value = Sint16(value);
        state.handle(event);
    }

    EdgeLog log;
    app::GamepadState state{log.sink()};
};

TEST_F(GamepadState, EachSourceReachesItsButtonAndNothingElseDoes) {
    for (int source = 0; source < SDL_CONTROLLER_BUTTON_MAX; ++source) {
        button(source, true);
        button(source, true); // a repeated report is no second press
        button(source, false);
    }
    // In SDL's order: A, B, X, Back, d-pad left, d-pad right.
    EXPECT_EQ(log.take(), "A+ A- B+ B- T+ T- T+ T- L+ L- R+ R-");
    axis(-32768, SDL_CONTROLLER_AXIS_LEFTY);
    axis(32767, SDL_CONTROLLER_AXIS_RIGHTX);
    button(SDL_CONTROLLER_BUTTON_A, true, 9); // a pad never attached
    EXPECT_EQ(log.take(), "");
}

TEST_F(GamepadState, AButtonStaysDownUntilItsLastSourceLetsGo) {
    button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    axis(-20000);
    button(SDL_CONTROLLER_BUTTON_X, true, 2);
    button(SDL_CONTROLLER_BUTTON_BACK, true);
    button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
    button(SDL_CONTROLLER_BUTTON_BACK, false);
    EXPECT_EQ(log.take(), "L+ T+");
    axis(0);
    button(SDL_CONTROLLER_BUTTON_A, true, 2);
    // A pad pulled out while held lets go of all it held, and is deaf from then on.
    SDL_Event removed{};
    removed.cdevice = {SDL_CONTROLLERDEVICEREMOVED, 0, 2};
    state.handle(removed);
    button(SDL_CONTROLLER_BUTTON_B, true, 2);
    EXPECT_EQ(log.take(), "L- A+ A- T-");
    EXPECT_EQ(state.padCount(), 1u);
}

TEST_F(GamepadState, StickHasADeadZoneAndDoesNotChatterAtItsEdge) {
    for (int value : {15999, -15999, 12000, 16000, 15000, 16500, 12000, 15999, 11999, 15999}) {
        axis(value);
    }
    EXPECT_EQ(log.take(), "R+ R-");
    axis(32767);
    axis(-32768); // straight across: one side lets go before the other presses
    axis(-12000);
    EXPECT_EQ(log.take(), "R+ R- L+");
}

TEST_F(GamepadState, AnInactiveProgramLetsGoAndIgnoresWhatWasHeldAcrossTheSwitch) {
    button(SDL_CONTROLLER_BUTTON_A, true);
    axis(-30000);
    state.setActive(false);
    button(SDL_CONTROLLER_BUTTON_B, true);
    state.setActive(true);
    axis(-31000); // the stick moving within its side is not a new press
    button(SDL_CONTROLLER_BUTTON_B, true);
    button(SDL_CONTROLLER_BUTTON_A, false);
    button(SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_EQ(log.take(), "A+ L+ A- L- A+");
}

} // namespace
} // namespace gamepad_test
