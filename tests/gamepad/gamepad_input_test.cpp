#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QWindow>

#include <SDL.h>

#include "app/gamepad_input.h"
#include "tests/gamepad/edge_log.h"

namespace gamepad_test {
namespace {

using app::GamepadInput;

// The tests hold the joystick subsystem themselves, to plug pads in before the input starts.
// Their pads are SDL's virtual ones, laid out as a standard gamepad so SDL maps them itself.
class GamepadInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
        if (SDL_NumJoysticks() != 0) {
            GTEST_SKIP() << "a real joystick is attached; these tests count pads";
        }
    }
    void TearDown() override {
        input.stop();
        while (!pads.empty()) {
            unplug(pads.back());
        }
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }

    SDL_Joystick* plug() {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
        desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
        SDL_Joystick* pad = SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&desc));
        EXPECT_NE(pad, nullptr) << SDL_GetError();
        return pads.emplace_back(pad);
    }
    void unplug(SDL_Joystick* pad) {
        const SDL_JoystickID id = SDL_JoystickInstanceID(pad);
        std::erase(pads, pad);
        SDL_JoystickClose(pad);
        for (int index = 0; index < SDL_NumJoysticks(); ++index) {
            if (SDL_JoystickGetDeviceInstanceID(index) == id) {
                SDL_JoystickDetachVirtual(index);
            }
        }
    }
    static void hold(SDL_Joystick* pad, SDL_GameControllerButton button, bool down = true) {
        SDL_JoystickSetVirtualButton(pad, button, down ? SDL_PRESSED : SDL_RELEASED);
    }
    std::string pollEdges() {
        input.poll();
        return log.take();
    }

    EdgeLog log;
    GamepadInput input{log.sink()};
    std::vector<SDL_Joystick*> pads;
};

TEST_F(GamepadInputTest, APadPresentAtStartWorksAtOnceAndStopLetsGoOfAllItTook) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
    SDL_Joystick* pad = plug();
    ASSERT_TRUE(input.start());
    ASSERT_TRUE(input.start()); // no second reference
    input.setActive(true);
    SDL_QuitSubSystem(SDL_INIT_AUDIO); // the sound letting go leaves the pads be
    EXPECT_EQ(input.pollInterval(), GamepadInput::kActivePollMs);
    hold(pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, -20000);
    EXPECT_EQ(pollEdges(), "L+");
    hold(pad, SDL_CONTROLLER_BUTTON_BACK);
    hold(pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
    EXPECT_EQ(pollEdges(), "T+");
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
    input.stop();
    EXPECT_EQ(log.take(), "T- L-");
    EXPECT_EQ(input.pollInterval(), 0);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_GAMECONTROLLER | SDL_INIT_JOYSTICK | SDL_INIT_AUDIO),
              SDL_INIT_JOYSTICK | SDL_INIT_AUDIO);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

TEST_F(GamepadInputTest, PadsComeAndGoAndEachCountsAsASource) {
    ASSERT_TRUE(input.start());
    input.setActive(true);
    EXPECT_EQ(input.pollInterval(), GamepadInput::kIdlePollMs);
    SDL_Joystick* first = plug();
    SDL_Joystick* second = plug();
    EXPECT_EQ(pollEdges(), "");
    EXPECT_EQ(input.padCount(), 2);
    EXPECT_EQ(input.pollInterval(), GamepadInput::kActivePollMs);
    hold(first, SDL_CONTROLLER_BUTTON_A);
    hold(second, SDL_CONTROLLER_BUTTON_A);
    hold(second, SDL_CONTROLLER_BUTTON_B);
    EXPECT_EQ(pollEdges(), "A+ B+");
    unplug(second);
    EXPECT_EQ(pollEdges(), "B-");
    unplug(first);
    EXPECT_EQ(pollEdges(), "A-");
    EXPECT_EQ(input.padCount(), 0);
    EXPECT_EQ(input.pollInterval(), GamepadInput::kIdlePollMs);
}

TEST_F(GamepadInputTest, PadsActOnlyWhileAWindowOfTheProgramIsActive) {
    ASSERT_NE(QGuiApplication::applicationState(), Qt::ApplicationActive) << "a window is active";
    SDL_Joystick* pad = plug();
    ASSERT_TRUE(input.start());
    EXPECT_EQ(input.pollInterval(), GamepadInput::kIdlePollMs);
    hold(pad, SDL_CONTROLLER_BUTTON_X);
    EXPECT_EQ(pollEdges(), "");
    QWindow window;
    window.show();
    window.requestActivate();
    QCoreApplication::processEvents();
    EXPECT_EQ(input.pollInterval(), GamepadInput::kActivePollMs);
    hold(pad, SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(pollEdges(), "A+"); // X, held across, waits for a new press
    input.setActive(false);
    EXPECT_EQ(log.take(), "A-");
}

TEST_F(GamepadInputTest, TheTimerPollsAndACallbackMayStopTheInput) {
    SDL_Joystick* pad = plug();
    GamepadInput stopping([&](device::Button button, bool pressed) {
        log.sink()(button, pressed);
        stopping.stop();
    });
    ASSERT_TRUE(stopping.start());
    stopping.setActive(true);
    hold(pad, SDL_CONTROLLER_BUTTON_A);
    hold(pad, SDL_CONTROLLER_BUTTON_B);
    const QDeadlineTimer giveUp(std::chrono::seconds(10));
    while (stopping.isRunning() && !giveUp.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    }
    EXPECT_EQ(log.take(), "A+ A-");
    EXPECT_EQ(stopping.pollInterval(), 0);
}

} // namespace
} // namespace gamepad_test
