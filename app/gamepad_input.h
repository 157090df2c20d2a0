#pragma once

#include <functional>
#include <map>

#include <QMetaObject>
#include <QObject>
#include <QTimer>

#include <SDL_gamecontroller.h>

#include "app/gamepad_state.h"

namespace app {

// Gamepads through SDL's game-controller support, polled on the GUI thread: the device's
// button presses and releases they make go to a callback (see GamepadState for the mapping).
//
// Pads may come and go at any time. The poll runs at about 60 Hz while a pad is attached and
// the program is active, and once a second otherwise, only to notice a pad plugged in.
//
// Like the keyboard, the pads act only while one of the program's windows is active. SDL's own
// background filter cannot do this: it looks only at SDL's windows and the program has none,
// so the gate follows Qt's application state instead.
class GamepadInput : public QObject {
    Q_OBJECT

public:
    using Callback = std::function<void(device::Button button, bool pressed)>;

    static constexpr int kActivePollMs = 16;
    static constexpr int kIdlePollMs = 1000;

    explicit GamepadInput(Callback callback, QObject* parent = nullptr);
    ~GamepadInput() override;

    GamepadInput(const GamepadInput&) = delete;
    GamepadInput& operator=(const GamepadInput&) = delete;

    // Takes a reference on SDL's game-controller subsystem (the sound's audio keeps its own),
    // opens the pads already present and starts polling. When SDL cannot, says so in one line
    // on standard error and returns false; the program goes on without pads.
    bool start();
    // Lets go of whatever the pads hold, closes them and drops the subsystem reference.
    void stop();
    bool isRunning() const { return running_; }

    // Whether one of the program's windows is active. start() takes Qt's application state and
    // follows its changes; without a GUI application the pads count as active.
    void setActive(bool active);
    bool isActive() const { return state_.isActive(); }

    // Handles what SDL has queued; the timer's way in, and the tests'.
    void poll();

    int padCount() const { return static_cast<int>(pads_.size()); }
    // The poll timer's interval now in milliseconds; 0 while it is stopped.
    int pollInterval() const { return timer_.isActive() ? timer_.interval() : 0; }

private:
    void openNewPads();
    void closePad(SDL_JoystickID pad);
    void updateTimer();

    GamepadState state_;
    std::map<SDL_JoystickID, SDL_GameController*> pads_;
    QTimer timer_;
    QMetaObject::Connection appState_;
    bool running_ = false;
};

} // namespace app
