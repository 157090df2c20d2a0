#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "session/date_time.h"
#include "session/runner.h"

namespace session {

struct CommandLine {
    std::optional<std::uint64_t> seed;
    std::optional<DateTime> clock;
    std::optional<std::string> scriptPath; // none or "-": standard input
    std::optional<std::string> settingsPath;
    std::optional<int> soundMode;
    bool help = false;
    std::string error; // a bad option: what is wrong
};

// Reads the runner's options. `withStoreAndSound`: --settings and --sound are known (the
// runner built with the settings store and the sound output).
CommandLine parseCommandLine(int argc, const char* const* argv, bool withStoreAndSound);

// The run's seed and clock: as given, or from the system clock.
RunOptions runOptions(const CommandLine& line);

// Runs the script named on the command line, or standard input. A file that cannot be read
// is reported on `err` with status 2; otherwise the status of runScript.
int runScriptFrom(const std::optional<std::string>& path, std::ostream& out, std::ostream& err,
                  const RunOptions& options);

} // namespace session
