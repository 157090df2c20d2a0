// The headless runner's entry point for the Windows cross-build: --seed and --clock only,
// since --settings and --sound need Qt and SDL.
#include <cerrno>
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

namespace {

constexpr std::string_view kUsage =
    "usage: zemblor-headless [--seed N] [--clock \"YYYY-MM-DD HH:MM[:SS]\"] [SCRIPT]\n"
    "Runs the Zemblor device on virtual time from a script (standard input without SCRIPT\n"
    "or with \"-\") and prints one JSON object per line. Settings are kept in memory.\n";

int usageError(std::string_view message) {
    std::cerr << "zemblor-headless: " << message << '\n' << kUsage;
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::optional<std::uint64_t> seed;
    std::optional<headless::DateTime> clock;
    std::optional<std::string> scriptPath;

    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (arg == "--seed" || arg == "--clock") {
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

    std::ios::sync_with_stdio(false);
    if (!scriptPath || *scriptPath == "-") {
        return headless::runScript(std::cin, std::cout, std::cerr, options);
    }
    std::ifstream file(*scriptPath);
    std::error_code ec;
    if (!file || std::filesystem::is_directory(*scriptPath, ec)) {
        const char* reason = file ? "it is a directory" : std::strerror(errno);
        std::cerr << "zemblor-headless: cannot read script '" << *scriptPath << "': " << reason
                  << '\n';
        return 2;
    }
    return headless::runScript(file, std::cout, std::cerr, options);
}
