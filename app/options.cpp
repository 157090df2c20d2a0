#include "app/options.h"

#include <filesystem>

#include "app/zoom_choice.h"
#include "device/seeded_random.h"
#include "device/setting_entries.h"
#include "session/program_info.h"

namespace app {

const char* const kUsage =
    "usage: zemblor [--settings FILE] [--seed N] [--clock \"YYYY-MM-DD HH:MM[:SS]\"]\n"
    "               [--trace FILE] [--record FILE] [--zoom N]\n"
    "Starts the Zemblor simulator. Its data (Config.ini, Graphics/, Sound/) is read from the\n"
    "program's own folder, wherever it is started from; the files named in the options are\n"
    "taken from the folder it is started in.\n"
    "  --settings FILE  keep the settings in FILE (INI format) instead of the user's store\n"
    "  --seed N         seed of the item draws (0..18446744073709551615), for replays\n"
    "  --clock TIME     what the device's clock reads at start; it then runs in real time\n"
    "  --trace FILE     write the device's events as JSON lines (see zemblor-headless)\n"
    "  --record FILE    write the session as a zemblor-headless script that replays it\n"
    "  --zoom N         show every picture pixel as N x N screen pixels (1..8)\n"
    "  --help, --version\n"
    "The trace and the record each need a file of their own: neither the settings file, nor\n"
    "Config.ini, nor the other one.\n";

const char* const kVersion = session::kProgramVersion;

void makePathsAbsolute(ProgramOptions& options) {
    for (std::optional<std::string>* path :
         {&options.settingsFile, &options.traceFile, &options.recordFile}) {
        if (*path) {
            **path = std::filesystem::absolute(**path).string();
        }
    }
}

ParsedOptions parseOptions(const std::vector<std::string>& args) {
    ParsedOptions parsed;
    auto fail = [&parsed](std::string message) {
        parsed.action = OptionsAction::Error;
        parsed.error = std::move(message);
        return parsed;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            parsed.action = OptionsAction::Help;
            return parsed;
        }
        if (arg == "--version") {
            parsed.action = OptionsAction::Version;
            return parsed;
        }
        const bool takesValue = arg == "--settings" || arg == "--seed" || arg == "--clock" ||
                                arg == "--trace" || arg == "--record" || arg == "--zoom";
        if (!takesValue) {
            return fail("unknown option '" + arg + "'");
        }
        if (i + 1 >= args.size() || args[i + 1].empty()) {
            return fail(arg + " needs a value");
        }
        const std::string& value = args[++i];
        ProgramOptions& o = parsed.options;
        if (arg == "--settings") {
            o.settingsFile = value;
        } else if (arg == "--trace") {
            o.traceFile = value;
        } else if (arg == "--record") {
            o.recordFile = value;
        } else if (arg == "--zoom") {
            // A stored zoom other than "auto", which is what leaving the option out means.
            const device::setting::Range zooms = device::setting::Zoom.range;
            const bool digit = value.size() == 1 && value[0] >= '0' && value[0] <= '9';
            const int zoom = digit ? value[0] - '0' : kAutoZoom;
            if (zoom == kAutoZoom || !zooms.contains(zoom)) {
                return fail("--zoom needs a whole number 1.." + std::to_string(zooms.max) +
                            ", not '" + value + "'");
            }
            o.zoom = zoom;
        } else if (arg == "--seed") {
            o.seed = device::parseSeed(value);
            if (!o.seed) {
                return fail("--seed needs a number 0..18446744073709551615, not '" + value + "'");
            }
        } else {
            o.clock = session::parseDateTime(value);
            if (!o.clock) {
                return fail("--clock needs \"YYYY-MM-DD HH:MM[:SS]\", not '" + value + "'");
            }
        }
    }
    return parsed;
}

} // namespace app
