#pragma once

#include <memory>
#include <string>

#include <QObject>

#include "app/core_controller.h"
#include "app/gamepad_input.h"
#include "app/main_menu.h"
#include "app/main_window.h"
#include "app/options.h"
#include "app/termination_signals.h"
#include "dialogs/keys_host.h"
#include "dialogs/splash_host.h"
#include "sound/sound_host.h"

namespace dialogs {
class TAboutForm;
class TKeysForm;
class TSplashForm;
} // namespace dialogs

namespace manual {
class TManualForm;
}

namespace app {

// The whole program: the device's controller and the five windows, created in their fixed
// order (main window, about box, key settings, manual, splash dialog last), the context
// menu's items, and the ways the program ends.
class Program : public QObject,
                private dialogs::SplashHost,
                private dialogs::KeysHost,
                private sound::SoundHost {
public:
    Program(const ProgramOptions& options, const std::string& configPath);
    ~Program() override;

    TForm1& mainWindow() { return *mainWindow_; }
    MainMenu& menu() { return *menu_; }
    dialogs::TSplashForm& splash() { return *splash_; }
    dialogs::TKeysForm& keysForm() { return *keysForm_; }
    dialogs::TAboutForm& aboutForm() { return *aboutForm_; }
    manual::TManualForm& manualForm() { return *manual_; }
    CoreController& core() { return *core_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // dialogs::SplashHost
    bool startSound(int soundMode) override;
    void splashPlayed(bool splashAtStartup) override;
    void quitAtOnce() override;
    // dialogs::KeysHost
    std::array<int, device::kBindingCount> keyIndexes() const override;
    void acceptBindings(const std::array<int, device::kBindingCount>& keyIndexes) override;
    void enableMainWindow() override;
    // sound::SoundHost
    void showError(const std::string& message) override;
    void requestTerminate() override;

    void showWarning(const QString& message);

    // The context menu.
    void pm_0_menuPopup(QPoint globalPos);
    void registerMenuHandlers();
    void pm_7_keysClick();
    void pm_8_hiscoreClick();
    void pm_11_splashscreenClick();

    std::unique_ptr<CoreController> core_;
    std::unique_ptr<TForm1> mainWindow_;
    MainMenu* menu_ = nullptr; // owned by the main window
    std::unique_ptr<dialogs::TAboutForm> aboutForm_;
    std::unique_ptr<dialogs::TKeysForm> keysForm_;
    std::unique_ptr<manual::TManualForm> manual_;
    std::unique_ptr<dialogs::TSplashForm> splash_;
    TerminationSignals signals_;
    std::unique_ptr<GamepadInput> gamepad_; // after the core: its last releases reach it
};

// Ends the event loop with `status` once it runs (or at once if it is running).
void requestExit(int status);

} // namespace app
