#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "session/date_time.h"

namespace app {

struct ProgramOptions {
    std::optional<std::string> settingsFile;
    std::optional<std::uint64_t> seed;
    std::optional<session::DateTime> clock;
    std::optional<std::string> traceFile;
    std::optional<std::string> recordFile;
    std::optional<int> zoom; // 1..8
};

enum class OptionsAction { Run, Help, Version, Error };

struct ParsedOptions {
    OptionsAction action = OptionsAction::Run;
    ProgramOptions options;
    std::string error; // for OptionsAction::Error
};

// Reads the command line (without the program name).
ParsedOptions parseOptions(const std::vector<std::string>& args);
// The files named in the options, made absolute against the present working directory.
void makePathsAbsolute(ProgramOptions& options);

extern const char* const kUsage;
extern const char* const kVersion;

} // namespace app
