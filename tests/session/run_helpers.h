#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "session/runner.h"

namespace session::testing {

struct RunResult {
    int status = 0;
    std::vector<std::string> lines;
    std::string err;
};

inline RunOptions defaultOptions() {
    RunOptions options;
    options.seed = 1;
    options.clock = DateTime{2026, 12, 8, 9, 41, 0};
    return options;
}

inline std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

inline RunResult runText(const std::string& script, const RunOptions& options = defaultOptions()) {
    std::istringstream in(script);
    std::ostringstream out;
    std::ostringstream err;
    RunResult result;
    result.status = runScript(in, out, err, options);
    result.lines = splitLines(out.str());
    result.err = err.str();
    return result;
}

// The lines that are neither settings writes nor sounds.
inline std::vector<std::string> reportLines(const RunResult& result) {
    std::vector<std::string> lines;
    for (const auto& line : result.lines) {
        if (line.find("\"store\":") == std::string::npos &&
            line.find("\"sound\":") == std::string::npos) {
            lines.push_back(line);
        }
    }
    return lines;
}

} // namespace session::testing
