#include <iostream>
#include <optional>

#include <fcntl.h>
#include <string>
#include <string_view>

#include "session/command_line.h"
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

// A closed standard descriptor would be taken by the next file opened (the settings file,
// say), and the output written into it. Read-only /dev/null in its place makes writes fail.
void holdStandardDescriptors() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) == -1) {
            ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        }
    }
}

int usageError(std::string_view message) {
    std::cerr << "zemblor-headless: " << message << '\n' << kUsage;
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    holdStandardDescriptors();
    const session::CommandLine line = session::parseCommandLine(argc, argv, true);
    if (line.help) {
        if (!(std::cout << kUsage << std::flush)) {
            std::cerr << "zemblor-headless: cannot write the output\n";
            return 1;
        }
        return 0;
    }
    if (!line.error.empty()) {
        return usageError(line.error);
    }

    session::RunOptions options = session::runOptions(line);
    shell::StderrSettingsErrors settingsErrors;
    std::optional<shell::SettingsStore> store;
    if (line.settingsPath) {
        store.emplace(*line.settingsPath, settingsErrors);
        if (const auto refused = store->refusal()) {
            std::cerr << "zemblor-headless: " << *refused << '\n';
            return 2;
        }
        options.store = &*store;
    }
    // The sound output needs the runner's settings (its writes are printed), so it is made
    // when the device has started up, as the splash dialog's Play would.
    sound::ConsoleSoundHost soundHost;
    std::optional<sound::SoundOutput> output;
    LateSound lateSound(output);
    if (line.soundMode) {
        options.soundOutput = &lateSound;
        options.afterStartUp = [&](device::Settings& settings) {
            output.emplace(settings, soundHost);
            return output->Snd_Start(*line.soundMode);
        };
    }

    std::ios::sync_with_stdio(false);
    const int status = session::runScriptFrom(line.scriptPath, std::cout, std::cerr, options);
    if (output) {
        output->Snd_Release();
    }
    return status;
}
