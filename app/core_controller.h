#pragma once

#include <fstream>
#include <functional>
#include <memory>
#include <optional>

#include <QObject>
#include <QRect>
#include <QString>

#include "app/options.h"
#include "app/output_file.h"
#include "app/pause_state.h"
#include "app/present_settings.h"
#include "app/wake_timer.h"
#include "device/device.h"
#include "device/seeded_random.h"
#include "session/core_timeline.h"
#include "session/event_log.h"
#include "session/session_recorder.h"
#include "session/virtual_clock.h"
#include "shell/settings_store.h"
#include "skin/load_skin.h"
#include "skin/scene.h"
#include "skin/scene_display.h"
#include "sound/sound_output.h"

namespace app {

// Owns the device core and everything it runs on (settings store, sound output, local clock,
// random source, the scene its LCD is drawn on) and drives its time with one precise timer.
// Windows reach the device only through here; its display changes come out as signals.
class CoreController : public QObject, private device::Display, private shell::SettingsErrorSink {
    Q_OBJECT

public:
    using MonotonicClock = std::function<Nanos()>;
    static Nanos steadyNow();

    CoreController(const ProgramOptions& options, sound::SoundHost& soundHost,
                   MonotonicClock monotonic = steadyNow, QObject* parent = nullptr);
    ~CoreController() override;

    // Every settings read and write of the windows goes through this (traced with --trace);
    // each brings the core to the present first.
    device::Settings& settings() { return presentSettings_; }
    // What the windows paint and hit-test; they change it only through the operations below.
    const skin::Scene& scene() const { return scene_; }

    // Lays the skin out on the scene (see skin::LoadSkin); the whole scene is then to be
    // repainted.
    skin::SkinLoadReport loadSkin(skin::SkinHost& host, const std::string& configPath,
                                  bool fullscreenOn);
    // Resizes the in-window game menu's picture (closed 36 x 32, open 256 x 448); its area is
    // announced through displayChanged.
    void setGameMenuSize(int width, int height);

    // The device's part of the main window's creation: key hint names, bindings read and
    // written back, button hints, high scores, latches; the random source is already seeded.
    void startUp();
    // Snd_Start with the splash dialog's choice; false when the sound files are broken.
    bool startSound(int soundMode);
    void powerOn();
    bool isPoweredOn() const { return poweredOn_; }

    // Input, each first bringing the core up to the present so timers due earlier fire first.
    void keyDown(std::uint16_t keyCode);
    void keyUp(std::uint16_t keyCode);
    void press(device::Button button);
    void release(device::Button button);

    QString hint(device::HintPicture picture) const;

    // The key settings dialog's view of the bindings and its Accept: each slot's key index
    // set, stored and its code derived, then the hints rebuilt.
    std::array<int, device::kBindingCount> keyIndexes() const;
    void acceptBindings(const std::array<int, device::kBindingCount>& keyIndexes);
    // The menu's "Reset Hiscores": both high scores 0 and stored.
    void resetHiScores();
    // The program's beep through the sound output; false when sound is off.
    bool beep() { return soundOutput_.Snd_Beep(); }
    // Snd_Release: the five samples freed and the sound output closed.
    void releaseSound();
    // The program ends: the core brought up to now, and the record closed with the wait up to
    // it, so that a replay ends where the session did.
    void endSession();

    // Brings the core up to the present: timers due by now fire, and what the program does
    // next (a settings write, say) carries the present time in the trace.
    void syncToNow();
    // Freezes the device (its time and timers stand still, nothing is lost) or resumes it.
    void setPaused(bool paused);
    bool isPaused() const { return pausable_.paused(); }
    // Advances the core to the monotonic reading `now` (the timer's and the tests' way in);
    // paused stretches do not count.
    void advanceTo(Nanos now);
    device::Millis coreTime() const { return device_.now(); }
    // When the timer is armed to wake next, on the monotonic clock; nothing while no device
    // timer runs.
    std::optional<Nanos> wakeTime() const;

signals:
    // The part of the scene that changed and needs repainting.
    void displayChanged(QRect dirty);
    void buttonHintsChanged();
    // A setting could not be written (reported once per distinct failure).
    void settingsWriteFailed(QString message);
    // The trace or the record could not be written (told once; the file is given up).
    void outputFileFailed(QString message);

private:
    // device::Display
    void segmentShown(device::Segment segment, bool shown) override;
    void digitPicture(device::Segment position, int digit) override;
    void hintsChanged() override;
    // shell::SettingsErrorSink
    void settingsError(const std::string& message) override;

    std::unique_ptr<shell::SettingsStore> openStore(const std::optional<std::string>& iniFile);
    // The store itself (traced with --trace), as the device and the sound output use it.
    device::Settings& store();
    template <typename Action> void input(std::string_view command, Action action);
    void afterCoreCall();
    void arm();
    void onTimer();
    void followWallClock();
    device::LocalClock& localClock();

    MonotonicClock monotonic_;
    PausableClock pausable_;
    session::CoreTimeline timeline_;
    std::uint64_t seed_;
    bool wallClock_; // no --clock: the device follows the computer's clock

    std::unique_ptr<shell::SettingsStore> store_;
    std::unique_ptr<OutputFile> traceOut_;
    std::unique_ptr<session::EventLog> traceLog_;
    std::unique_ptr<session::PrintingSettings> tracedSettings_;
    PresentSettings presentSettings_;
    sound::SoundOutput soundOutput_;
    std::unique_ptr<session::PrintingSound> tracedSound_;

    skin::Scene scene_;
    skin::SceneDisplay sceneDisplay_;
    session::VirtualClock clock_;
    device::SeededRandom random_;
    device::Device device_;

    std::unique_ptr<OutputFile> recordOut_;
    std::unique_ptr<session::SessionRecorder> recorder_;

    WakeTimer timer_;
    Nanos armedFor_{0};
    bool inCore_ = false;
    bool poweredOn_ = false;
};

} // namespace app
