#include <cstdlib>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include <QApplication>
#include <QDir>
#include <QIcon>

#include "display_check.h"
#include "options.h"
#include "program.h"
#include "timing_log.h"

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
    const QString programFolder = QCoreApplication::applicationDirPath();
    if (!QDir::setCurrent(programFolder)) {
        std::cerr << "zemblor: cannot enter the program's folder " << programFolder.toStdString()
                  << '\n';
        return 2;
    }
    const std::string configPath = QDir(programFolder).filePath("Config.ini").toStdString();
    try {
        app::Program program(parsed.options, configPath);
        return QApplication::exec();
    } catch (const std::runtime_error& error) {
        std::cerr << "zemblor: " << error.what() << '\n';
        return 2;
    }
}
