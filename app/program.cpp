#include "program.h"

#include <QCoreApplication>
#include <QMessageBox>

#include "dialogs/splash_form.h"
#include "timing_log.h"

namespace app {

void requestExit(int status) {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [status] { QCoreApplication::exit(status); },
        Qt::QueuedConnection);
}

Program::Program(const ProgramOptions& options, const std::string& configPath)
    : core_(std::make_unique<CoreController>(options, static_cast<sound::SoundHost&>(*this))),
      mainWindow_(std::make_unique<TForm1>(*core_, configPath)),
      signals_([this] { mainWindow_->close(); }) {
    connect(core_.get(), &CoreController::settingsWriteFailed, this, &Program::showSettingsError);
    connect(mainWindow_.get(), &TForm1::terminateRequested, this, [] { requestExit(1); });
    connect(mainWindow_.get(), &TForm1::closed, this, [] { requestExit(0); });
    mainWindow_->FormCreate();
    splash_ = std::make_unique<dialogs::TSplashForm>(core_->settings(),
                                                     static_cast<dialogs::SplashHost&>(*this));
    splash_->FormCreate();
}

Program::~Program() = default;

bool Program::startSound(int soundMode) {
    TimingLog::instance().markOnce("play");
    core_->syncToNow();
    return core_->startSound(soundMode);
}

void Program::splashPlayed(bool splashAtStartup) {
    mainWindow_->setSplashMenuChecked(splashAtStartup);
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

// Shown without blocking: the failed write may come from inside the device's own handlers,
// which must run to completion before any other event.
void Program::showSettingsError(const QString& message) {
    auto* box =
        new QMessageBox(QMessageBox::Warning, QStringLiteral("Error"), message, QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

} // namespace app
