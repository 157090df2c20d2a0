#include "app/core_controller.h"

#include <algorithm>
#include <stdexcept>

#include "app/timing_log.h"
#include "device/setting_entries.h"
#include "session/script_command.h"
#include "session/state_line.h"

namespace app {
namespace {

std::unique_ptr<OutputFile> openOutputFile(const std::optional<std::string>& path,
                                           const char* what) {
    return path ? std::make_unique<OutputFile>(*path, what) : nullptr;
}

} // namespace

Nanos CoreController::steadyNow() {
    return std::chrono::duration_cast<Nanos>(std::chrono::steady_clock::now().time_since_epoch());
}

CoreController::CoreController(const ProgramOptions& options, sound::SoundHost& soundHost,
                               MonotonicClock monotonic, QObject* parent)
    : QObject(parent), monotonic_(std::move(monotonic)), timeline_(monotonic_()),
      seed_(options.seed ? *options.seed : device::clockSeed()), wallClock_(!options.clock),
      store_(openStore(options.settingsFile)),
      traceOut_(openOutputFile(options.traceFile, "trace")),
      traceLog_(traceOut_ ? std::make_unique<session::EventLog>(traceOut_->stream(),
                                                                [this] { return coreTime(); })
                          : nullptr),
      tracedSettings_(traceLog_ ? std::make_unique<session::PrintingSettings>(*traceLog_, *store_)
                                : nullptr),
      presentSettings_(store(), [this] { syncToNow(); }), soundOutput_(store(), soundHost),
      tracedSound_(traceLog_ ? std::make_unique<session::PrintingSound>(*traceLog_, &soundOutput_)
                             : nullptr),
      sceneDisplay_(scene_),
      clock_([this] { return coreTime(); },
             options.clock ? *options.clock : session::currentLocalDateTime()),
      random_(seed_),
      device_(device::Ports{
          *this, tracedSound_ ? static_cast<device::SoundPlayer&>(*tracedSound_) : soundOutput_,
          store(), clock_, random_}),
      recordOut_(openOutputFile(options.recordFile, "session record")),
      recorder_(recordOut_ ? std::make_unique<session::SessionRecorder>(recordOut_->stream())
                           : nullptr) {
    if (recorder_) {
        recorder_->header(seed_, clock_.current());
    }
    connect(&timer_, &WakeTimer::woken, this, &CoreController::onTimer);
}

CoreController::~CoreController() = default;

std::unique_ptr<shell::SettingsStore>
CoreController::openStore(const std::optional<std::string>& iniFile) {
    shell::SettingsErrorSink& errors = *this;
    auto store = iniFile ? std::make_unique<shell::SettingsStore>(*iniFile, errors)
                         : std::make_unique<shell::SettingsStore>(errors);
    if (const auto refused = store->refusal()) {
        throw std::runtime_error(*refused);
    }
    return store;
}

device::Settings& CoreController::store() {
    if (tracedSettings_) {
        return *tracedSettings_;
    }
    return *store_;
}

skin::SkinLoadReport CoreController::loadSkin(skin::SkinHost& host, const std::string& configPath,
                                              bool fullscreenOn) {
    return skin::LoadSkin(scene_, host, configPath, fullscreenOn);
}

void CoreController::setGameMenuSize(int width, int height) {
    skin::Box box = scene_.box(skin::Component::btn_game_menu_background);
    const QRect before = skin::toRect(box);
    box.width = width;
    box.height = height;
    scene_.setBox(skin::Component::btn_game_menu_background, box);
    emit displayChanged(before.united(skin::toRect(box)));
}

void CoreController::startUp() {
    device_.startUp();
    if (recorder_) {
        // What start-up made of the stored values: replayed, they give the same device.
        for (std::size_t slot = 0; slot < device::setting::Keys.size(); ++slot) {
            recorder_->store(device::setting::Keys[slot].name,
                             std::to_string(device_.snapshot().bindings[slot].KeyIndex));
        }
        recorder_->store(device::setting::HiScore1.name,
                         std::to_string(device_.snapshot().hiScoreA));
        recorder_->store(device::setting::HiScore2.name,
                         std::to_string(device_.snapshot().hiScoreB));
    }
}

bool CoreController::startSound(int soundMode) {
    return soundOutput_.Snd_Start(soundMode);
}

void CoreController::releaseSound() {
    soundOutput_.Snd_Release();
}

void CoreController::endSession() {
    syncToNow();
    if (recorder_) {
        recorder_->end(device_.now());
    }
}

void CoreController::powerOn() {
    input("power", [this] { device_.powerOn(); });
    poweredOn_ = true;
}

template <typename Action> void CoreController::input(std::string_view command, Action action) {
    syncToNow();
    inCore_ = true;
    action();
    inCore_ = false;
    if (recorder_) {
        recorder_->event(device_.now(), command);
    }
    if (traceLog_) {
        traceLog_->write(session::stateFields(device_));
    }
    afterCoreCall();
}

void CoreController::keyDown(std::uint16_t keyCode) {
    input("keydown " + std::to_string(keyCode), [&] { device_.FormKeyDown(keyCode); });
}

void CoreController::keyUp(std::uint16_t keyCode) {
    input("keyup " + std::to_string(keyCode), [&] { device_.FormKeyUp(keyCode); });
}

void CoreController::press(device::Button button) {
    input("press " + std::string(session::buttonName(button)), [&] { device_.press(button); });
}

void CoreController::release(device::Button button) {
    input("release " + std::string(session::buttonName(button)), [&] { device_.release(button); });
}

std::array<int, device::kBindingCount> CoreController::keyIndexes() const {
    std::array<int, device::kBindingCount> indexes{};
    for (std::size_t slot = 0; slot < indexes.size(); ++slot) {
        indexes[slot] = device_.snapshot().bindings[slot].KeyIndex;
    }
    return indexes;
}

// Not inputs of the device, so no state line follows; the record keeps them as script
// commands so a replay rebinds and resets at the same moments.
void CoreController::acceptBindings(const std::array<int, device::kBindingCount>& keyIndexes) {
    syncToNow();
    for (int slot = 1; slot <= device::kBindingCount; ++slot) {
        const int index = keyIndexes[static_cast<std::size_t>(slot - 1)];
        device_.acceptBinding(slot, index);
        if (recorder_ && device::isValidKeyIndex(index)) {
            recorder_->command(device_.now(),
                               "bind " + std::to_string(slot) + " " + std::to_string(index));
        }
    }
    afterCoreCall();
}

void CoreController::resetHiScores() {
    syncToNow();
    device_.resetHiScores();
    if (recorder_) {
        recorder_->command(device_.now(), "resethiscores");
    }
    afterCoreCall();
}

QString CoreController::hint(device::HintPicture picture) const {
    return QString::fromStdString(device_.buttonHint(picture));
}

void CoreController::syncToNow() {
    advanceTo(monotonic_());
}

// Paused, the core's time stands still and its timer sleeps; on resuming, the paused stretch
// is left out of its time line, and the clock catches up with the computer's as after a sleep.
void CoreController::setPaused(bool paused) {
    if (paused == pausable_.paused()) {
        return;
    }
    if (paused) {
        syncToNow();
        pausable_.pause(monotonic_());
        timer_.stop();
    } else {
        pausable_.resume(monotonic_());
        syncToNow();
    }
}

void CoreController::advanceTo(Nanos now) {
    if (inCore_) {
        return;
    }
    const device::Millis target =
        timeline_.coreTimeAt(pausable_.deviceTime(now), device_.nextDeadline());
    inCore_ = true;
    if (target > device_.now()) {
        device_.advance(target - device_.now());
    }
    inCore_ = false;
    if (wallClock_) {
        followWallClock();
    }
    afterCoreCall();
}

// The device shows the computer's time. After a sleep, a clock change or a daylight-saving
// switch the core's time line no longer matches it; the clock is set anew (and recorded, so
// a replay sets it too).
void CoreController::followWallClock() {
    const auto realtime = std::chrono::system_clock::now().time_since_epoch();
    if (!timeline_.wallClockDue(monotonic_(), std::chrono::duration_cast<Nanos>(realtime))) {
        return;
    }
    const session::DateTime wall = session::currentLocalDateTime();
    const long long drift = session::secondsBetween(clock_.current(), wall);
    if (drift >= 2 || drift <= -2) {
        clock_.set(wall);
        if (recorder_) {
            recorder_->command(device_.now(), "clock " + session::formatDateTime(wall));
        }
    }
}

void CoreController::afterCoreCall() {
    for (OutputFile* file : {traceOut_.get(), recordOut_.get()}) {
        if (file == nullptr) {
            continue;
        }
        if (const auto failure = file->takeFailure()) {
            emit outputFileFailed(QString::fromStdString(*failure));
        }
    }
    const QRect dirty = sceneDisplay_.takeDirty();
    if (!dirty.isEmpty()) {
        emit displayChanged(dirty);
    }
    arm();
}

void CoreController::arm() {
    const auto deadline = device_.nextDeadline();
    if (!deadline || pausable_.paused()) {
        timer_.stop();
        return;
    }
    armedFor_ = pausable_.realTime(timeline_.monotonicAt(*deadline));
    timer_.wakeAt(armedFor_, monotonic_());
}

std::optional<Nanos> CoreController::wakeTime() const {
    if (!timer_.isActive()) {
        return std::nullopt;
    }
    return armedFor_;
}

void CoreController::onTimer() {
    const Nanos now = monotonic_();
    TimingLog::instance().timerLateness(
        std::chrono::duration_cast<std::chrono::microseconds>(now - armedFor_).count());
    advanceTo(now);
}

void CoreController::segmentShown(device::Segment segment, bool shown) {
    sceneDisplay_.segmentShown(segment, shown);
}

void CoreController::digitPicture(device::Segment position, int digit) {
    sceneDisplay_.digitPicture(position, digit);
}

void CoreController::hintsChanged() {
    emit buttonHintsChanged();
}

void CoreController::settingsError(const std::string& message) {
    emit settingsWriteFailed(QString::fromStdString(message));
}

} // namespace app
