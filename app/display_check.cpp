#include "app/display_check.h"

#include <cstddef>
#include <cstdlib>
#include <filesystem>

#ifndef _WIN32
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace app {
namespace {

std::string env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

DisplayEnvironment currentDisplayEnvironment() {
    return DisplayEnvironment{env("QT_QPA_PLATFORM"), env("DISPLAY"), env("WAYLAND_DISPLAY"),
                              env("XDG_RUNTIME_DIR")};
}

#ifdef _WIN32
// Windows always has its desktop, and Qt one platform for it.
std::optional<std::string> preferredPlatform(const DisplayEnvironment&) {
    return std::nullopt;
}
std::optional<std::string> missingDisplayReason(const DisplayEnvironment&) {
    return std::nullopt;
}
#else
namespace {

// `abstract`: the Linux abstract namespace, where some X servers listen only.
bool connectsTo(const std::string& path, bool abstract) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::size_t offset = abstract ? 1 : 0;
    if (path.size() + offset >= sizeof address.sun_path) {
        return false;
    }
    path.copy(address.sun_path + offset, path.size());
    const socklen_t length =
        static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0) {
        return false;
    }
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&address), length) == 0;
    ::close(fd);
    return ok;
}

bool canConnect(const std::string& path) {
    return connectsTo(path, false) || connectsTo(path, true);
}

// A local X display (":N", ":N.S", "unix:N") is reachable through its socket; a display on
// another host is taken on trust.
bool x11Reachable(const std::string& display) {
    if (display.empty()) {
        return false;
    }
    std::string rest;
    if (display.rfind("unix:", 0) == 0) {
        rest = display.substr(5);
    } else if (display[0] == ':') {
        rest = display.substr(1);
    } else {
        return true;
    }
    const std::string number = rest.substr(0, rest.find('.'));
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    return canConnect("/tmp/.X11-unix/X" + number);
}

bool waylandReachable(const DisplayEnvironment& e) {
    if (e.waylandDisplay.empty()) {
        return false;
    }
    if (e.waylandDisplay[0] == '/') {
        return canConnect(e.waylandDisplay);
    }
    return !e.runtimeDir.empty() && canConnect(e.runtimeDir + "/" + e.waylandDisplay);
}

} // namespace

std::optional<std::string> preferredPlatform(const DisplayEnvironment& e) {
    if (!e.qpaPlatform.empty()) {
        return std::nullopt;
    }
    const bool x11 = x11Reachable(e.x11Display);
    const bool wayland = waylandReachable(e);
    if (x11 && wayland) {
        return "xcb;wayland";
    }
    if (x11) {
        return "xcb";
    }
    if (wayland) {
        return "wayland";
    }
    return std::nullopt;
}

std::optional<std::string> missingDisplayReason(const DisplayEnvironment& e) {
    if (!e.qpaPlatform.empty()) {
        return std::nullopt; // the user chose a platform (offscreen, vnc, ...) knowingly
    }
    if (x11Reachable(e.x11Display) || waylandReachable(e)) {
        return std::nullopt;
    }
    if (e.x11Display.empty() && e.waylandDisplay.empty()) {
        return "no display: neither DISPLAY (X11) nor WAYLAND_DISPLAY is set";
    }
    return "cannot reach the display" +
           (e.x11Display.empty() ? std::string() : " DISPLAY=" + e.x11Display) +
           (e.waylandDisplay.empty() ? std::string() : " WAYLAND_DISPLAY=" + e.waylandDisplay);
}

#endif

} // namespace app
