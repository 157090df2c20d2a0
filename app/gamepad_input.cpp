#include "app/gamepad_input.h"

#include <iostream>
#include <utility>

#include <QCoreApplication>
#include <QGuiApplication>

#include <SDL.h>

namespace app {

GamepadInput::GamepadInput(Callback callback, QObject* parent)
    : QObject(parent), state_(std::move(callback)) {
    connect(&timer_, &QTimer::timeout, this, &GamepadInput::poll);
}

GamepadInput::~GamepadInput() {
    stop();
}

bool GamepadInput::start() {
    if (running_) {
        return true;
    }
    SDL_SetMainReady();
    // The program catches its own termination signals; SDL's would turn them into quit events
    // that the poll here swallows. A value in the environment still wins.
    SDL_SetHintWithPriority(SDL_HINT_NO_SIGNAL_HANDLERS, "1", SDL_HINT_DEFAULT);
    // Background events stay at SDL's default (off); it changes nothing here, as SDL only
    // filters for windows of its own. The gate below is what keeps the pads to the program.
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        std::cerr << "zemblor: no gamepads: " << SDL_GetError() << '\n';
        return false;
    }
    running_ = true;
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        setActive(QGuiApplication::applicationState() == Qt::ApplicationActive);
        appState_ =
            connect(gui, &QGuiApplication::applicationStateChanged, this,
                    [this](Qt::ApplicationState now) { setActive(now == Qt::ApplicationActive); });
    }
    // SDL queues an added event for each pad present at init, but only on the subsystem's
    // first reference; opening them here covers a subsystem already up.
    openNewPads();
    updateTimer();
    return true;
}

void GamepadInput::stop() {
    if (!running_) {
        return;
    }
    // First, so a callback reached from here finds the input stopped.
    running_ = false;
    timer_.stop();
    disconnect(appState_);
    state_.detachAll();
    for (const auto& [id, pad] : pads_) {
        SDL_GameControllerClose(pad);
    }
    pads_.clear();
    // Stale pad events would otherwise wait in the queue while another subsystem keeps it.
    SDL_FlushEvents(SDL_JOYAXISMOTION, SDL_FINGERDOWN - 1);
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void GamepadInput::setActive(bool active) {
    if (active == state_.isActive()) {
        return;
    }
    state_.setActive(active);
    if (running_) {
        updateTimer();
    }
}

void GamepadInput::poll() {
    SDL_Event event;
    while (running_ && SDL_PollEvent(&event) != 0) {
        switch (event.type) {
        case SDL_CONTROLLERDEVICEADDED:
            // The event's device index may be stale by now; the list as it stands is not.
            openNewPads();
            break;
        case SDL_CONTROLLERDEVICEREMOVED:
            closePad(event.cdevice.which);
            break;
        default:
            state_.handle(event);
            break;
        }
    }
    if (running_) {
        updateTimer();
    }
}

void GamepadInput::openNewPads() {
    const int count = SDL_NumJoysticks();
    for (int index = 0; index < count; ++index) {
        if (!SDL_IsGameController(index) ||
            pads_.contains(SDL_JoystickGetDeviceInstanceID(index))) {
            continue;
        }
        // One that cannot be opened (no permission, say) is tried again on the next arrival.
        SDL_GameController* pad = SDL_GameControllerOpen(index);
        if (pad == nullptr) {
            continue;
        }
        const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad));
        if (!pads_.emplace(id, pad).second) {
            SDL_GameControllerClose(pad);
            continue;
        }
        state_.attach(id);
    }
}

void GamepadInput::closePad(SDL_JoystickID id) {
    state_.detach(id);
    const auto pad = pads_.find(id);
    if (pad != pads_.end()) {
        SDL_GameControllerClose(pad->second);
        pads_.erase(pad);
    }
}

void GamepadInput::updateTimer() {
    const int interval = !pads_.empty() && isActive() ? kActivePollMs : kIdlePollMs;
    if (!timer_.isActive() || timer_.interval() != interval) {
        timer_.start(interval);
    }
}

} // namespace app
