// A second process for the settings tests:
//   settings_probe read FILE NAME       prints the integer stored under NAME (or "missing")
//   settings_probe hammer FILE          fills FILE, then rewrites "Counter" until killed
//   settings_probe write FILE NAME N    stores N under NAME, printing what the store reports
//   settings_probe writeread FILE NAME N  the same, then prints NAME=value as read back, and
//                                         "unsaved" while the value has not reached the file
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <QSettings>

#include "shell/settings_file.h"
#include "shell/settings_store.h"

namespace {

class PrintedErrors : public shell::SettingsErrorSink {
public:
    void settingsError(const std::string& message) override { std::puts(message.c_str()); }
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        return 2;
    }
    PrintedErrors errors;
    shell::SettingsStore store(std::string(argv[2]), errors);
    if (std::strcmp(argv[1], "write") == 0 && argc == 5) {
        store.writeInt(argv[3], std::atoi(argv[4]));
        return 0;
    }
    if (std::strcmp(argv[1], "writeread") == 0 && argc == 5) {
        store.writeInt(argv[3], std::atoi(argv[4]));
        std::printf("%s=%d\n", argv[3], store.readInt(argv[3], -999999));
        if (store.hasUnsavedValues()) {
            std::puts("unsaved");
        }
        return 0;
    }
    if (std::strcmp(argv[1], "read") == 0 && argc == 4) {
        const int value = store.readInt(argv[3], -999999);
        if (value == -999999) {
            std::puts("missing");
        } else {
            std::printf("%d\n", value);
        }
        return 0;
    }
    if (std::strcmp(argv[1], "hammer") == 0) {
        {
            // An earlier hammer killed inside QLockFile may have left its lock behind.
            shell::removeAbandonedLockFile(std::string(argv[2]) + ".lock");
            // Bulk filler makes each rewrite long enough for a kill to land inside one.
            QSettings bulk(QString::fromLocal8Bit(argv[2]), QSettings::IniFormat);
            for (int i = 0; i < 200; ++i) {
                bulk.setValue(QStringLiteral("Filler%1").arg(i, 3, 10, QLatin1Char('0')),
                              QString(120, QLatin1Char('x')));
            }
        }
        std::puts("ready");
        std::fflush(stdout);
        for (int i = 0;; ++i) {
            store.writeInt("Counter", i);
        }
    }
    return 2;
}
