#include "app/program.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>

#include "app/timing_log.h"
#include "app/window_icon.h"
#include "app/x11_key_repeat.h"
#include "dialogs/about_form.h"
#include "dialogs/keys_form.h"
#include "dialogs/splash_form.h"
#include "dialogs/window_placement.h"
#include "manual/manual_form.h"

namespace app {

void requestExit(int status) {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [status] { QCoreApplication::exit(status); },
        Qt::QueuedConnection);
}

Program::Program(const ProgramOptions& options, const std::string& configPath)
    : core_(std::make_unique<CoreController>(options, static_cast<sound::SoundHost&>(*this))),
      mainWindow_(std::make_unique<TForm1>(*core_, configPath, options.zoom)),
      signals_([this] { mainWindow_->close(); }) {
    requestDetectableKeyRepeat();
    // Queued: a failed write can come from inside the device's handlers or from start-up,
    // and the box belongs in front of whatever window that goes on to show.
    connect(core_.get(), &CoreController::settingsWriteFailed, this, &Program::showWarning,
            Qt::QueuedConnection);
    connect(core_.get(), &CoreController::outputFileFailed, this, &Program::showWarning,
            Qt::QueuedConnection);
    connect(mainWindow_.get(), &TForm1::terminateRequested, this, [] { requestExit(1); });
    connect(mainWindow_.get(), &TForm1::closed, this, [] { requestExit(0); });
    menu_ = new MainMenu(mainWindow_.get());
    mainWindow_->setMenu(menu_);
    registerMenuHandlers();
    connect(mainWindow_.get(), &TForm1::contextMenuRequested, this, &Program::pm_0_menuPopup);
    mainWindow_->FormCreate();
    menu_->setChecked(shell::MenuItem::pm_10_fullscreen, mainWindow_->fullscreenOn());
    QApplication::setWindowIcon(deviceIcon(core_->scene()));

    aboutForm_ = std::make_unique<dialogs::TAboutForm>();
    keysForm_ = std::make_unique<dialogs::TKeysForm>(static_cast<dialogs::KeysHost&>(*this));
    keysForm_->FormCreate();
    manual_ = std::make_unique<manual::TManualForm>(configPath);
    // Window managers keep these above the device's window, full screen or not; they stay
    // separate widgets so that disabling the main window leaves them working.
    for (QWidget* dialog :
         {static_cast<QWidget*>(aboutForm_.get()), static_cast<QWidget*>(keysForm_.get()),
          static_cast<QWidget*>(manual_.get())}) {
        dialogs::setTransientParent(*dialog, *mainWindow_);
    }
    splash_ = std::make_unique<dialogs::TSplashForm>(core_->settings(),
                                                     static_cast<dialogs::SplashHost&>(*this));
    // A pad is another keyboard: it presses only while the device's window is active (not
    // while a dialog has the focus, the window is disabled or the device paused); releases
    // always go through, so no button stays down.
    gamepad_ = std::make_unique<GamepadInput>([this](device::Button button, bool pressed) {
        if (!pressed) {
            core_->release(button);
        } else if (mainWindow_->isActiveWindow() && mainWindow_->isEnabled() &&
                   !core_->isPaused()) {
            core_->press(button);
        }
    });
    gamepad_->start();

    splash_->installEventFilter(this);
    splash_->FormCreate();
    // The main window stays hidden until Play, so the splash dialog is in front already and
    // the main window's first activation has nothing left to bring up.
    splash_->clearSplashPending();
}

// The timing harness's start-up figure ends when the splash dialog is first on the screen:
// once its first paint has been handled and flushed.
bool Program::eventFilter(QObject* watched, QEvent* event) {
    if (watched == splash_.get() && event->type() == QEvent::Paint) {
        splash_->removeEventFilter(this);
        QMetaObject::invokeMethod(
            this, [] { TimingLog::instance().markOnce("splash-drawn"); }, Qt::QueuedConnection);
    }
    return false;
}

Program::~Program() = default;

bool Program::startSound(int soundMode) {
    TimingLog::instance().markOnce("play");
    core_->syncToNow();
    return core_->startSound(soundMode);
}

void Program::splashPlayed(bool splashAtStartup) {
    menu_->setChecked(shell::MenuItem::pm_11_splashscreen, splashAtStartup);
    mainWindow_->showDevice();
    core_->powerOn();
}

// Escape in the splash dialog: no clean-up, nothing written.
void Program::quitAtOnce() {
    requestExit(0);
}

void Program::showError(const std::string& message) {
    QMessageBox::critical(nullptr, QStringLiteral("Error"), QString::fromStdString(message));
}

void Program::requestTerminate() {
    requestExit(1);
}

// Shown without blocking, so the device's timers go on meanwhile.
void Program::showWarning(const QString& message) {
    auto* box =
        new QMessageBox(QMessageBox::Warning, QStringLiteral("Error"), message, QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

} // namespace app
