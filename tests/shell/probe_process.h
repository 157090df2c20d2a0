#pragma once

#include <cstdio>
#include <string>

#include <unistd.h>

inline std::string outputOf(const std::string& command) {
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        return {};
    }
    std::string out;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) {
        out += buffer;
    }
    pclose(pipe);
    return out;
}

// Runs settings_probe with the arguments (a shell command line) and returns what it printed.
inline std::string runProbe(const std::string& args) {
    return outputOf(std::string(SETTINGS_PROBE) + " " + args);
}

// The same as a user whom file permissions bind: the suite's own user, or nobody when that is
// root. Whatever the probe must reach has to be open to that user.
inline std::string runProbeAsBoundUser(const std::string& args) {
    const std::string asNobody =
        ::geteuid() == 0 ? "setpriv --reuid=nobody --regid=nogroup --clear-groups -- " : "";
    return outputOf(asNobody + SETTINGS_PROBE + " " + args);
}
