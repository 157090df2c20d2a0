#include "session/command_line.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string_view>
#include <system_error>

#include "device/seeded_random.h"

namespace session {

CommandLine parseCommandLine(int argc, const char* const* argv, bool withStoreAndSound) {
    CommandLine line;
    auto fail = [&line](std::string message) {
        line.error = std::move(message);
        return line;
    };
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            line.help = true;
            return line;
        }
        const bool known = arg == "--seed" || arg == "--clock" ||
                           (withStoreAndSound && (arg == "--settings" || arg == "--sound"));
        if (known && i + 1 >= argc) {
            return fail(std::string(arg) + " needs a value");
        }
        if (arg == "--seed") {
            const std::string_view value = argv[++i];
            line.seed = device::parseSeed(value);
            if (!line.seed) {
                return fail("--seed needs a number 0..18446744073709551615, not '" +
                            std::string(value) + "'");
            }
        } else if (arg == "--clock") {
            const std::string_view value = argv[++i];
            line.clock = parseDateTime(value);
            if (!line.clock) {
                return fail("--clock needs \"YYYY-MM-DD HH:MM[:SS]\", not '" + std::string(value) +
                            "'");
            }
        } else if (known && arg == "--settings") {
            line.settingsPath = argv[++i];
        } else if (known && arg == "--sound") {
            const std::string_view value = argv[++i];
            if (value != "0" && value != "1" && value != "2") {
                return fail("--sound needs a mode 0, 1 or 2, not '" + std::string(value) + "'");
            }
            line.soundMode = value[0] - '0';
        } else if (arg.size() > 1 && arg[0] == '-') {
            return fail("unknown option '" + std::string(arg) + "'");
        } else if (line.scriptPath) {
            return fail("only one script may be given");
        } else {
            line.scriptPath = std::string(arg);
        }
    }
    return line;
}

RunOptions runOptions(const CommandLine& line) {
    RunOptions options;
    options.seed = line.seed ? *line.seed : device::clockSeed();
    options.clock = line.clock ? *line.clock : currentLocalDateTime();
    return options;
}

int runScriptFrom(const std::optional<std::string>& path, std::ostream& out, std::ostream& err,
                  const RunOptions& options) {
    if (!path || *path == "-") {
        return runScript(std::cin, out, err, options);
    }
    std::ifstream file(*path);
    std::error_code ec;
    if (!file || std::filesystem::is_directory(*path, ec)) {
        const char* reason = file ? "it is a directory" : std::strerror(errno);
        err << "zemblor-headless: cannot read script '" << *path << "': " << reason << '\n';
        return 2;
    }
    return runScript(file, out, err, options);
}

} // namespace session
