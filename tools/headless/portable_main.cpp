// The headless runner's entry point for builds without Qt and SDL (Windows, WebAssembly):
// --seed and --clock only, since --settings and --sound need them.
#include <iostream>
#include <string_view>

#include "session/command_line.h"

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
    const session::CommandLine line = session::parseCommandLine(argc, argv, false);
    if (line.help) {
        std::cout << kUsage;
        return 0;
    }
    if (!line.error.empty()) {
        return usageError(line.error);
    }
    std::ios::sync_with_stdio(false);
    return session::runScriptFrom(line.scriptPath, std::cout, std::cerr, session::runOptions(line));
}
