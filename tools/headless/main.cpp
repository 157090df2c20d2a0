#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "date_time.h"
#include "device/seeded_random.h"
#include "runner.h"
#include "shell/settings_store.h"
#include "sound/console_sound_host.h"
#include "sound/sound_output.h"

namespace {

constexpr std::string_view kUsage =
    "usage: zemblor-headless [--seed N] [--clock \"YYYY-MM-DD HH:MM[:SS]\"] [--settings FILE]\n"
    "                        [--sound MODE] [SCRIPT]\n"
    "Runs the Zemblor device on virtual time from a script (standard input without SCRIPT\n"
    "or with \"-\") and prints one JSON object per line. --settings keeps the settings in\n"
    "FILE (INI format) instead of memory. --sound starts the sound output as the splash\n"
    "dialog's Play does (0 \"Microsoft DirectSound\", 1 \"Windows MultiMedia\", 2 \"(no sound)\")\n"
    "with the beeps from Sound/ under the working directory.\n";

// Passes plays on to the sound output once it exists.
class LateSound : public device::SoundPlayer {
public:
    explicit LateSound(std::optional<sound::SoundOutput>& output) : output_(output) {}
    void play(device::Sample sample) override {
        if (output_) {
            output_->play(sample);
        }
    }

private:
    std::optional<sound::SoundOutput>& output_;
};

int usageError(std::string_view message) {
    std::cerr << "zemblor-headless: " << message << '\n' << kUsage;
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::optional<std::uint64_t> seed;
    std::optional<headless::DateTime> clock;
    std::optional<std::string> scriptPath;
    std::optional<std::string> settingsPath;
    std::optional<int> soundMode;

    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (arg == "--sound") {
            if (i + 1 >= argc) {
                return usageError("--sound needs a mode 0, 1 or 2");
            }
            const std::string_view value = argv[++i];
            if (value != "0" && value != "1" && value != "2") {
                return usageError("--sound needs a mode 0, 1 or 2, not '" + std::string(value) +
                                  "'");
            }
            soundMode = value[0] - '0';
        } else if (arg == "--settings") {
            if (i + 1 >= argc) {
                return usageError("--settings needs a file");
            }
            settingsPath = argv[++i];
        } else if (arg == "--seed" || arg == "--clock") {
            if (i + 1 >= argc) {
                return usageError(std::string(arg) + " needs a value");
            }
            const std::string_view value = argv[++i];
            if (arg == "--seed") {
                seed = device::parseSeed(value);
                if (!seed) {
                    return usageError("--seed needs a number 0..18446744073709551615, not '" +
                                      std::string(value) + "'");
                }
            } else {
                clock = headless::parseDateTime(value);
                if (!clock) {
                    return usageError("--clock needs \"YYYY-MM-DD HH:MM[:SS]\", not '" +
                                      std::string(value) + "'");
                }
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            return usageError("unknown option '" + std::string(arg) + "'");
        } else if (scriptPath) {
            return usageError("only one script may be given");
        } else {
            scriptPath = std::string(arg);
        }
    }

    headless::RunOptions options;
    options.seed = seed ? *seed : device::clockSeed();
    options.clock = clock ? *clock : headless::currentLocalDateTime();
    shell::StderrSettingsErrors settingsErrors;
    std::optional<shell::SettingsStore> store;
    if (settingsPath) {
        store.emplace(QString::fromLocal8Bit(settingsPath->c_str()), settingsErrors);
        options.store = &*store;
    }
    // The sound output needs the runner's settings (its writes are printed), so it is made
    // when the device has started up, as the splash dialog's Play would.
    sound::ConsoleSoundHost soundHost;
    std::optional<sound::SoundOutput> output;
    LateSound lateSound(output);
    if (soundMode) {
        options.soundOutput = &lateSound;
        options.afterStartUp = [&](device::Settings& settings) {
            output.emplace(settings, soundHost);
            return output->Snd_Start(*soundMode);
        };
    }

    std::ios::sync_with_stdio(false);
    if (!scriptPath || *scriptPath == "-") {
        const int status = headless::runScript(std::cin, std::cout, std::cerr, options);
        if (output) {
            output->Snd_Release();
        }
        return status;
    }
    std::ifstream file(*scriptPath);
    std::error_code ec;
    if (!file || std::filesystem::is_directory(*scriptPath, ec)) {
        const char* reason = file ? "it is a directory" : std::strerror(errno);
        std::cerr << "zemblor-headless: cannot read script '" << *scriptPath << "': " << reason
                  << '\n';
        return 2;
    }
    const int status = headless::runScript(file, std::cout, std::cerr, options);
    if (output) {
        output->Snd_Release();
    }
    return status;
}
