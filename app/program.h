#pragma once

#include <memory>
#include <string>

#include <QObject>

#include "core_controller.h"
#include "dialogs/splash_host.h"
#include "main_window.h"
#include "options.h"
#include "sound/sound_host.h"
#include "termination_signals.h"

namespace dialogs {
class TSplashForm;
}

namespace app {

// The whole program: the device's controller and the windows, created in their fixed order
// (main window first, splash dialog last), and the ways the program ends.
class Program : public QObject, private dialogs::SplashHost, private sound::SoundHost {
public:
    Program(const ProgramOptions& options, const std::string& configPath);
    ~Program() override;

    TForm1& mainWindow() { return *mainWindow_; }
    dialogs::TSplashForm& splash() { return *splash_; }
    CoreController& core() { return *core_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // dialogs::SplashHost
    bool startSound(int soundMode) override;
    void splashPlayed(bool splashAtStartup) override;
    void quitAtOnce() override;
    // sound::SoundHost
    void showError(const std::string& message) override;
    void requestTerminate() override;

    void showSettingsError(const QString& message);

    std::unique_ptr<CoreController> core_;
    std::unique_ptr<TForm1> mainWindow_;
    std::unique_ptr<dialogs::TSplashForm> splash_;
    TerminationSignals signals_;
};

// Ends the event loop with `status` once it runs (or at once if it is running).
void requestExit(int status);

} // namespace app
