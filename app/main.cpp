#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include <QApplication>
#include <QFile>
#include <QIcon>

#include "app/display_check.h"
#include "app/options.h"
#include "app/output_paths.h"
#include "app/program.h"
#include "app/timing_log.h"
#include "shell/settings_file.h"
#include "shell/settings_store.h"

namespace {

// The folder by the bytes the file system knows it by (a QString may not hold them).
std::filesystem::path programFolderPath() {
#ifdef __linux__
    std::error_code ec;
    const auto exe = std::filesystem::canonical("/proc/self/exe", ec);
    if (!ec) {
        return exe.parent_path();
    }
#endif
    return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
}

// The file the settings live in: the one named, or the user's store where it is a file.
std::string settingsFilePath(const app::ProgramOptions& options) {
    if (options.settingsFile) {
        return *options.settingsFile;
    }
    shell::StderrSettingsErrors errors;
    return shell::pathBytes(shell::SettingsStore(errors).location());
}

} // namespace

int main(int argc, char** argv) {
    app::ParsedOptions parsed = app::parseOptions(std::vector<std::string>(argv + 1, argv + argc));
    switch (parsed.action) {
    case app::OptionsAction::Help:
        std::cout << app::kUsage;
        return 0;
    case app::OptionsAction::Version:
        std::cout << app::kVersion << '\n';
        return 0;
    case app::OptionsAction::Error:
        std::cerr << "zemblor: " << parsed.error << '\n' << app::kUsage;
        return 2;
    case app::OptionsAction::Run:
        break;
    }

    const app::DisplayEnvironment environment = app::currentDisplayEnvironment();
    if (const auto reason = app::missingDisplayReason(environment)) {
        std::cerr << "zemblor: " << *reason
                  << ". The simulator needs a desktop; zemblor-headless runs the device "
                     "without one.\n";
        return 2;
    }
    if (const auto platform = app::preferredPlatform(environment)) {
        qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(*platform));
    }
    // One picture pixel is one screen pixel, whatever the screen's scale.
    if (qEnvironmentVariableIsEmpty("QT_ENABLE_HIGHDPI_SCALING")) {
        qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    }
    app::TimingLog::instance();

    // Files named on the command line are meant from where the program was started.
    app::makePathsAbsolute(parsed.options);

    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    // The program's folder is the working directory, wherever it was started from: every
    // relative path of the configuration file and the documents mean what they say there.
    const std::filesystem::path programFolder = programFolderPath();
    std::error_code entered;
    std::filesystem::current_path(programFolder, entered);
    if (entered) {
        std::cerr << "zemblor: cannot enter the program's folder " << programFolder.string() << ": "
                  << entered.message() << '\n';
        return 2;
    }
    const std::string configPath = (programFolder / "Config.ini").string();
    // Outputs are truncated on opening: the files the program reads must be none of them.
    if (const auto refused =
            app::outputPathsRefusal(parsed.options.traceFile, parsed.options.recordFile,
                                    {{settingsFilePath(parsed.options), "the settings file"},
                                     {configPath, "the program's configuration file"}})) {
        std::cerr << "zemblor: " << *refused << '\n';
        return 2;
    }
    try {
        app::Program program(parsed.options, configPath);
        const int status = QApplication::exec();
        // However the program ended, a replay of its record runs on to this moment.
        program.core().endSession();
        return status;
    } catch (const std::runtime_error& error) {
        std::cerr << "zemblor: " << error.what() << '\n';
        return 2;
    }
}
