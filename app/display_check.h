#pragma once

#include <optional>
#include <string>

namespace app {

struct DisplayEnvironment {
    std::string qpaPlatform;    // QT_QPA_PLATFORM as the user set it, or empty
    std::string x11Display;     // DISPLAY
    std::string waylandDisplay; // WAYLAND_DISPLAY
    std::string runtimeDir;     // XDG_RUNTIME_DIR
};

DisplayEnvironment currentDisplayEnvironment();

// The Qt platform to ask for, or nothing to leave Qt's own choice. With both an X11 and a
// Wayland display, X11 (XWayland) comes first: placement, centring, the window shape and
// stay-on-top need it.
std::optional<std::string> preferredPlatform(const DisplayEnvironment& env);

// Why the program cannot show a window here, or nothing when a display is reachable.
std::optional<std::string> missingDisplayReason(const DisplayEnvironment& env);

} // namespace app
