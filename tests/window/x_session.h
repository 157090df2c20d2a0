// A private X server for tests that drive real windows: Xvfb on the first free display number,
// optionally a window manager, programs started as children with DISPLAY set, and the user's
// side of the session through xdotool (keys, pointer) and xwininfo (geometry). The screen is
// read straight from the server (GetImage on the root window): xwd composes its dump window by
// window when windows have colormaps of their own, as Qt's do, and then shows the cut-away parts
// of shaped windows as black instead of what lies beneath.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include <sys/types.h>

#include <QImage>

namespace xtest {

using Clock = std::chrono::steady_clock;
using Millis = std::chrono::milliseconds;

// Calls `probe` until it returns true or `timeout` passes; returns whether it did.
template <class Probe> bool pollUntil(Millis timeout, Probe probe, Millis interval = Millis(20)) {
    const auto deadline = Clock::now() + timeout;
    while (!probe()) {
        if (Clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(interval);
    }
    return true;
}

// How a child ended.
struct ExitStatus {
    bool exited = false; // ended through exit(); otherwise killed by `signal`
    int code = 0;
    int signal = 0;
    std::string describe() const;
};

struct Command {
    std::string program; // a path, or a name looked up in PATH
    std::vector<std::string> args;
    std::string workingDir; // empty: the current one
    // Added to (or replacing in) the test's own environment; an empty value removes the name.
    std::map<std::string, std::string> env;
    std::string outputFile; // stdout and stderr go here; empty: /dev/null
};

// A child process in a process group of its own. It is sent SIGKILL should the test process
// die; the destructor stops it (and whatever it started) in any case.
class Child {
public:
    explicit Child(const Command& command); // throws std::runtime_error when it cannot start
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool running();
    // The exit status once the child has ended, or nothing if it still runs after `timeout`.
    std::optional<ExitStatus> waitExit(Millis timeout);
    // SIGTERM to the group, SIGKILL after `grace`; collects the child.
    void stop(Millis grace = Millis(2000));

private:
    // Whether the child has ended, leaving it unreaped.
    bool ended(bool block);
    // Ends the rest of the child's group and reaps the child.
    void collect();

    pid_t pid_ = -1;
    std::optional<ExitStatus> status_;
};

struct ToolResult {
    int status = -1; // exit code; -1 when it did not end normally or in time
    std::string out; // standard output (standard error is dropped)
};

// Runs a short-lived tool to its end and collects its output; killed after `timeout`.
ToolResult runTool(const std::vector<std::string>& argv,
                   const std::map<std::string, std::string>& env = {},
                   Millis timeout = Millis(10000));

using WindowId = unsigned long;

struct Geometry {
    int x = 0; // client area's top-left corner on the screen
    int y = 0;
    int width = 0;
    int height = 0;
    bool viewable = false; // mapped, with all its ancestors
    friend bool operator==(const Geometry& a, const Geometry& b) {
        return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
    }
};
// As "WIDTHxHEIGHT+X+Y (viewable)".
std::ostream& operator<<(std::ostream& out, const Geometry& g);

// How the X server lays out the pixels of a true-colour ZPixmap image.
struct PixelLayout {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 32; // 16, 24 or 32
    int bytesPerLine = 0;
    bool lsbFirst = true;
    std::uint32_t redMask = 0xff0000;
    std::uint32_t greenMask = 0x00ff00;
    std::uint32_t blueMask = 0x0000ff;
};

// Decodes such pixels to an RGB32 image; a null image when the layout is not supported or the
// data is too short for it.
QImage decodeZPixmap(std::string_view data, const PixelLayout& layout);

// An anchored regular expression matching exactly `name`, for window searches.
std::string exactName(const std::string& name);

class XSession {
public:
    struct Options {
        int display = 91;
        int width = 1024;
        int height = 768;
        bool windowManager = false; // openbox
    };

    explicit XSession(const Options& options);
    ~XSession(); // stop()
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // Starts Xvfb on the first free display from `display` on (and the window manager) and
    // waits until they serve; throws std::runtime_error when the server does not come up.
    void start();
    // Stops every program launched here, then the window manager and the server.
    void stop();

    std::string displayName() const { return ":" + std::to_string(options_.display); }

    // Starts a program on this display (DISPLAY and QT_QPA_PLATFORM=xcb added to command.env).
    // The session owns it and stops it in stop().
    Child& launch(Command command);

    // Top-level windows whose name matches the extended regular expression `nameRegex`.
    std::vector<WindowId> findWindows(const std::string& nameRegex, bool onlyVisible = true);
    // Polls for a viewable window of that name; nothing if none appears within `timeout`.
    std::optional<WindowId> waitForWindow(const std::string& nameRegex, Millis timeout);
    std::optional<Geometry> geometry(WindowId window);

    // Gives the keyboard focus to `window` and waits until the server reports it.
    bool focus(WindowId window);
    // Real input through the XTEST extension, as from the keyboard and mouse. Keys are keysym
    // names ("3", "Return", "Escape", "Left").
    void keyDown(const std::string& key);
    void keyUp(const std::string& key);
    void mouseMove(int x, int y);
    void mouseDown(int button = 1);
    void mouseUp(int button = 1);
    // The top-level window that takes pointer input at x,y (the root window if none).
    std::optional<WindowId> windowAt(int x, int y);
    WindowId rootWindow();

    // The whole screen as the server shows it; a null image on failure.
    QImage capture();

    // Runs an X tool against this display.
    ToolResult tool(const std::vector<std::string>& argv, Millis timeout = Millis(10000));

private:
    void xdotool(const std::vector<std::string>& args);
    bool startServer(); // false when the display was taken meanwhile
    void startWindowManager();

    Options options_;
    std::string serverLog_;
    std::unique_ptr<Child> server_;
    std::unique_ptr<Child> windowManager_;
    std::vector<std::unique_ptr<Child>> programs_;
};

} // namespace xtest
