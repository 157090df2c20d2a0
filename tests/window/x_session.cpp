#include "tests/window/x_session.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

extern char** environ;

namespace xtest {

namespace {

std::map<std::string, std::string>
mergedEnvironment(const std::map<std::string, std::string>& overrides) {
    std::map<std::string, std::string> env;
    for (char** entry = environ; entry && *entry; ++entry) {
        const std::string text(*entry);
        const auto equals = text.find('=');
        if (equals != std::string::npos) {
            env[text.substr(0, equals)] = text.substr(equals + 1);
        }
    }
    for (const auto& [name, value] : overrides) {
        if (value.empty()) {
            env.erase(name);
        } else {
            env[name] = value;
        }
    }
    return env;
}

// Argument and environment arrays prepared before fork(): the child may only make
// async-signal-safe calls until it execs.
struct ExecArrays {
    ExecArrays(const std::string& program, const std::vector<std::string>& args,
               const std::map<std::string, std::string>& env) {
        strings.push_back(program);
        strings.insert(strings.end(), args.begin(), args.end());
        const auto argc = strings.size();
        for (const auto& [name, value] : env) {
            strings.push_back(name + "=" + value);
        }
        for (std::size_t i = 0; i < strings.size(); ++i) {
            (i < argc ? argv : envp).push_back(strings[i].data());
        }
        argv.push_back(nullptr);
        envp.push_back(nullptr);
    }
    std::vector<std::string> strings;
    std::vector<char*> argv;
    std::vector<char*> envp;
};

// In the child after fork(): dies with the test process, then execs. Reports a failure to
// exec through `errorPipe` and exits.
[[noreturn]] void execChild(const ExecArrays& arrays, const char* workingDir, int stdinFd,
                            int stdoutFd, int stderrFd, int errorPipe, pid_t parent) {
    setpgid(0, 0);
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) {
        _exit(127);
    }
    dup2(stdinFd, STDIN_FILENO);
    dup2(stdoutFd, STDOUT_FILENO);
    dup2(stderrFd, STDERR_FILENO);
    int error = 0;
    if (workingDir && chdir(workingDir) != 0) {
        error = errno;
    } else {
        execvpe(arrays.argv[0], arrays.argv.data(), arrays.envp.data());
        error = errno;
    }
    [[maybe_unused]] auto written = write(errorPipe, &error, sizeof error);
    _exit(127);
}

int openOrThrow(const std::string& path, int flags) {
    const int fd = open(path.c_str(), flags | O_CLOEXEC, 0644);
    if (fd < 0) {
        throw std::runtime_error("cannot open " + path + ": " + std::strerror(errno));
    }
    return fd;
}

// Forks and execs; returns the pid once the exec has succeeded, throws otherwise.
pid_t spawn(const std::string& program, const std::vector<std::string>& args,
            const std::map<std::string, std::string>& envOverrides, const std::string& workingDir,
            int stdoutFd, int stderrFd) {
    const ExecArrays arrays(program, args, mergedEnvironment(envOverrides));
    const int devNull = openOrThrow("/dev/null", O_RDWR);
    int errorPipe[2];
    if (pipe2(errorPipe, O_CLOEXEC) != 0) {
        close(devNull);
        throw std::runtime_error("pipe2 failed");
    }
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid == 0) {
        execChild(arrays, workingDir.empty() ? nullptr : workingDir.c_str(), devNull,
                  stdoutFd < 0 ? devNull : stdoutFd, stderrFd < 0 ? devNull : stderrFd,
                  errorPipe[1], parent);
    }
    close(devNull);
    close(errorPipe[1]);
    if (pid < 0) {
        close(errorPipe[0]);
        throw std::runtime_error("fork failed");
    }
    setpgid(pid, pid);
    int error = 0;
    ssize_t got;
    do {
        got = read(errorPipe[0], &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    close(errorPipe[0]);
    if (got > 0) {
        waitpid(pid, nullptr, 0);
        throw std::runtime_error("cannot start " + program + ": " + std::strerror(error));
    }
    return pid;
}

ExitStatus toExitStatus(int status) {
    ExitStatus result;
    if (WIFEXITED(status)) {
        result.exited = true;
        result.code = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        result.signal = WTERMSIG(status);
    }
    return result;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// "Name: value" fields of xwininfo's report.
std::optional<int> xwininfoField(const std::string& report, const std::string& name) {
    const auto at = report.find(name + ":");
    if (at == std::string::npos) {
        return std::nullopt;
    }
    try {
        return std::stoi(report.substr(at + name.size() + 1));
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::optional<WindowId> parseWindowId(const std::string& text) {
    try {
        std::size_t used = 0;
        const auto id = std::stoul(text, &used, 0);
        return used ? std::optional<WindowId>(id) : std::nullopt;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

QImage captureRoot(xcb_connection_t* connection, int screenNumber) {
    const xcb_setup_t* setup = xcb_get_setup(connection);
    auto screens = xcb_setup_roots_iterator(setup);
    for (int i = 0; i < screenNumber && screens.rem; ++i) {
        xcb_screen_next(&screens);
    }
    if (!screens.rem) {
        return {};
    }
    const xcb_screen_t* screen = screens.data;
    const xcb_visualtype_t* visual = nullptr;
    for (auto depths = xcb_screen_allowed_depths_iterator(screen); depths.rem && !visual;
         xcb_depth_next(&depths)) {
        for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem;
             xcb_visualtype_next(&visuals)) {
            if (visuals.data->visual_id == screen->root_visual) {
                visual = visuals.data;
                break;
            }
        }
    }
    const xcb_format_t* format = nullptr;
    for (auto formats = xcb_setup_pixmap_formats_iterator(setup); formats.rem;
         xcb_format_next(&formats)) {
        if (formats.data->depth == screen->root_depth) {
            format = formats.data;
        }
    }
    if (!visual || !format || format->scanline_pad == 0) {
        return {};
    }
    const auto cookie = xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, screen->root, 0, 0,
                                      screen->width_in_pixels, screen->height_in_pixels, ~0u);
    std::unique_ptr<xcb_get_image_reply_t, decltype(&std::free)> reply(
        xcb_get_image_reply(connection, cookie, nullptr), &std::free);
    if (!reply) {
        return {};
    }
    const int pad = format->scanline_pad;
    const int rowBits = screen->width_in_pixels * format->bits_per_pixel;
    PixelLayout layout;
    layout.width = screen->width_in_pixels;
    layout.height = screen->height_in_pixels;
    layout.bitsPerPixel = format->bits_per_pixel;
    layout.bytesPerLine = (rowBits + pad - 1) / pad * pad / 8;
    layout.lsbFirst = setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST;
    layout.redMask = visual->red_mask;
    layout.greenMask = visual->green_mask;
    layout.blueMask = visual->blue_mask;
    const auto* bytes = reinterpret_cast<const char*>(xcb_get_image_data(reply.get()));
    return decodeZPixmap(
        std::string_view(bytes, static_cast<std::size_t>(xcb_get_image_data_length(reply.get()))),
        layout);
}

} // namespace

std::string ExitStatus::describe() const {
    return exited ? "exit status " + std::to_string(code)
                  : "killed by signal " + std::to_string(signal);
}

Child::Child(const Command& command) {
    const int out = command.outputFile.empty()
                        ? -1
                        : openOrThrow(command.outputFile, O_WRONLY | O_CREAT | O_TRUNC);
    try {
        pid_ = spawn(command.program, command.args, command.env, command.workingDir, out, out);
    } catch (...) {
        if (out >= 0) {
            close(out);
        }
        throw;
    }
    if (out >= 0) {
        close(out);
    }
}

Child::~Child() {
    stop();
}

bool Child::ended(bool block) {
    if (status_) {
        return true;
    }
    siginfo_t info{};
    int result;
    do {
        result = waitid(P_PID, static_cast<id_t>(pid_), &info,
                        WEXITED | WNOWAIT | (block ? 0 : WNOHANG));
    } while (result < 0 && errno == EINTR);
    return result < 0 || info.si_pid == pid_;
}

void Child::collect() {
    if (status_) {
        return;
    }
    // The group's leader is a zombie, so its id cannot have been reused: whatever the child
    // started and left behind in its group is ours to end.
    kill(-pid_, SIGKILL);
    int status = 0;
    pid_t got;
    do {
        got = waitpid(pid_, &status, 0);
    } while (got < 0 && errno == EINTR);
    status_ = got == pid_ ? toExitStatus(status) : ExitStatus{};
}

bool Child::running() {
    return !ended(false);
}

std::optional<ExitStatus> Child::waitExit(Millis timeout) {
    if (!pollUntil(
            timeout, [&] { return ended(false); }, Millis(10))) {
        return std::nullopt;
    }
    collect();
    return status_;
}

void Child::stop(Millis grace) {
    if (pid_ <= 0 || status_) {
        return;
    }
    if (!ended(false)) {
        kill(-pid_, SIGTERM);
        if (!pollUntil(
                grace, [&] { return ended(false); }, Millis(10))) {
            kill(-pid_, SIGKILL);
            ended(true);
        }
    }
    collect();
}

ToolResult runTool(const std::vector<std::string>& argv,
                   const std::map<std::string, std::string>& env, Millis timeout) {
    ToolResult result;
    if (argv.empty()) {
        return result;
    }
    int outPipe[2];
    if (pipe2(outPipe, O_CLOEXEC) != 0) {
        return result;
    }
    pid_t pid = -1;
    try {
        pid = spawn(argv[0], {argv.begin() + 1, argv.end()}, env, {}, outPipe[1], -1);
    } catch (const std::exception&) {
        close(outPipe[0]);
        close(outPipe[1]);
        return result;
    }
    close(outPipe[1]);
    const auto deadline = Clock::now() + timeout;
    bool timedOut = false;
    char buffer[65536];
    for (;;) {
        const auto left = std::chrono::duration_cast<Millis>(deadline - Clock::now()).count();
        if (left <= 0) {
            timedOut = true;
            break;
        }
        pollfd fd{outPipe[0], POLLIN, 0};
        const int ready = poll(&fd, 1, static_cast<int>(left));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            timedOut = ready == 0;
            break;
        }
        const ssize_t got = read(outPipe[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        result.out.append(buffer, static_cast<std::size_t>(got));
    }
    close(outPipe[0]);
    if (timedOut) {
        kill(-pid, SIGKILL);
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!timedOut && WIFEXITED(status)) {
        result.status = WEXITSTATUS(status);
    }
    return result;
}

std::ostream& operator<<(std::ostream& out, const Geometry& g) {
    return out << g.width << 'x' << g.height << '+' << g.x << '+' << g.y
               << (g.viewable ? " (viewable)" : " (not viewable)");
}

QImage decodeZPixmap(std::string_view data, const PixelLayout& layout) {
    const int bytesPerPixel = layout.bitsPerPixel / 8;
    const std::uint32_t masks[3] = {layout.redMask, layout.greenMask, layout.blueMask};
    if ((layout.bitsPerPixel != 16 && layout.bitsPerPixel != 24 && layout.bitsPerPixel != 32) ||
        layout.width <= 0 || layout.height <= 0 || layout.width > 32768 || layout.height > 32768 ||
        layout.bytesPerLine < layout.width * bytesPerPixel ||
        std::uint64_t(layout.bytesPerLine) * std::uint64_t(layout.height) > data.size()) {
        return {};
    }
    int shifts[3];
    std::uint32_t ranges[3];
    for (int c = 0; c < 3; ++c) {
        if (masks[c] == 0) {
            return {};
        }
        shifts[c] = __builtin_ctz(masks[c]);
        ranges[c] = masks[c] >> shifts[c];
    }
    QImage image(layout.width, layout.height, QImage::Format_RGB32);
    for (int y = 0; y < layout.height; ++y) {
        const auto* row = reinterpret_cast<const unsigned char*>(data.data()) +
                          std::size_t(y) * std::size_t(layout.bytesPerLine);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < layout.width; ++x) {
            const unsigned char* p = row + x * bytesPerPixel;
            std::uint32_t pixel = 0;
            for (int b = 0; b < bytesPerPixel; ++b) {
                pixel = (pixel << 8) | (layout.lsbFirst ? p[bytesPerPixel - 1 - b] : p[b]);
            }
            int channel[3];
            for (int c = 0; c < 3; ++c) {
                channel[c] = static_cast<int>(((pixel & masks[c]) >> shifts[c]) * 255 / ranges[c]);
            }
            out[x] = qRgb(channel[0], channel[1], channel[2]);
        }
    }
    return image;
}

std::string exactName(const std::string& name) {
    static const std::string special = R"(\^$.|?*+()[]{})";
    std::string pattern = "^";
    for (char c : name) {
        if (special.find(c) != std::string::npos) {
            pattern += '\\';
        }
        pattern += c;
    }
    return pattern + "$";
}

XSession::XSession(const Options& options) : options_(options) {}

XSession::~XSession() {
    stop();
}

namespace {
// Whether another server holds display `n`: a lock file of a live process, or its socket.
bool displayTaken(int n) {
    const std::string lock = "/tmp/.X" + std::to_string(n) + "-lock";
    if (std::ifstream in(lock); in) {
        long holder = 0;
        in >> holder;
        if (holder > 0 && (kill(static_cast<pid_t>(holder), 0) == 0 || errno == EPERM)) {
            return true;
        }
    }
    return access(("/tmp/.X11-unix/X" + std::to_string(n)).c_str(), F_OK) == 0;
}
} // namespace

// The display number asked for is where the search for a free one starts, so suites run side
// by side; a server that loses a race for a number ends at once and the next one is tried.
void XSession::start() {
    const int first = options_.display;
    for (int n = first; n < first + 400; ++n) {
        if (displayTaken(n)) {
            continue;
        }
        options_.display = n;
        if (startServer()) {
            if (options_.windowManager) {
                startWindowManager();
            }
            return;
        }
    }
    throw std::runtime_error("no free X display from :" + std::to_string(first));
}

bool XSession::startServer() {
    serverLog_ = "/tmp/xtest-xvfb-" + std::to_string(getpid()) + "-" +
                 std::to_string(options_.display) + ".log";
    const std::string screen =
        std::to_string(options_.width) + "x" + std::to_string(options_.height) + "x24";
    // White root window, so that see-through parts of a window are easy to tell apart.
    server_ = std::make_unique<Child>(
        Command{"Xvfb",
                {displayName(), "-screen", "0", screen, "-nolisten", "tcp", "-noreset", "-wr"},
                {},
                {},
                serverLog_});
    const std::string expected =
        std::to_string(options_.width) + " " + std::to_string(options_.height) + "\n";
    const bool ready = pollUntil(Millis(15000), [&] {
        if (!server_->running()) {
            return true;
        }
        return tool({"xdotool", "getdisplaygeometry"}, Millis(2000)).out == expected;
    });
    if (!server_->running()) {
        const std::string log = readFile(serverLog_);
        server_.reset();
        std::remove(serverLog_.c_str());
        if (log.find("already active") != std::string::npos ||
            log.find("in use") != std::string::npos || displayTaken(options_.display)) {
            return false;
        }
        throw std::runtime_error("Xvfb did not come up on " + displayName() + ": " + log);
    }
    if (!ready) {
        throw std::runtime_error("Xvfb did not come up on " + displayName() + ": " +
                                 readFile(serverLog_));
    }
    return true;
}

void XSession::startWindowManager() {
    windowManager_ = std::make_unique<Child>(
        Command{"openbox", {"--sm-disable"}, {}, {{"DISPLAY", displayName()}}, {}});
    // A window manager announces itself through this property of the root window.
    const bool ready = pollUntil(Millis(15000), [&] {
        return tool({"xprop", "-root", "_NET_SUPPORTING_WM_CHECK"}, Millis(2000))
                   .out.find("window id") != std::string::npos;
    });
    if (!ready) {
        throw std::runtime_error("openbox did not come up on " + displayName());
    }
}

void XSession::stop() {
    while (!programs_.empty()) {
        programs_.back()->stop();
        programs_.pop_back();
    }
    if (windowManager_) {
        windowManager_->stop();
        windowManager_.reset();
    }
    if (server_) {
        server_->stop(Millis(5000));
        server_.reset();
        std::remove(serverLog_.c_str());
    }
}

Child& XSession::launch(Command command) {
    command.env["DISPLAY"] = displayName();
    command.env["QT_QPA_PLATFORM"] = "xcb";
    command.env["WAYLAND_DISPLAY"] = "";
    programs_.push_back(std::make_unique<Child>(command));
    return *programs_.back();
}

ToolResult XSession::tool(const std::vector<std::string>& argv, Millis timeout) {
    return runTool(argv, {{"DISPLAY", displayName()}}, timeout);
}

std::vector<WindowId> XSession::findWindows(const std::string& nameRegex, bool onlyVisible) {
    std::vector<std::string> argv = {"xdotool", "search"};
    if (onlyVisible) {
        argv.push_back("--onlyvisible");
    }
    argv.insert(argv.end(), {"--name", nameRegex});
    std::vector<WindowId> windows;
    std::istringstream lines(tool(argv).out);
    for (std::string line; std::getline(lines, line);) {
        if (const auto id = parseWindowId(line)) {
            windows.push_back(*id);
        }
    }
    return windows;
}

std::optional<WindowId> XSession::waitForWindow(const std::string& nameRegex, Millis timeout) {
    std::vector<WindowId> found;
    pollUntil(
        timeout,
        [&] {
            found = findWindows(nameRegex, true);
            return !found.empty();
        },
        Millis(50));
    if (found.empty()) {
        return std::nullopt;
    }
    return found.front();
}

std::optional<Geometry> XSession::geometry(WindowId window) {
    const auto result = tool({"xwininfo", "-id", std::to_string(window)});
    const auto x = xwininfoField(result.out, "Absolute upper-left X");
    const auto y = xwininfoField(result.out, "Absolute upper-left Y");
    const auto width = xwininfoField(result.out, "Width");
    const auto height = xwininfoField(result.out, "Height");
    if (result.status != 0 || !x || !y || !width || !height) {
        return std::nullopt;
    }
    return Geometry{*x, *y, *width, *height,
                    result.out.find("Map State: IsViewable") != std::string::npos};
}

bool XSession::focus(WindowId window) {
    return tool({"xdotool", "windowfocus", "--sync", std::to_string(window)}, Millis(5000))
               .status == 0;
}

void XSession::xdotool(const std::vector<std::string>& args) {
    std::vector<std::string> argv = {"xdotool"};
    argv.insert(argv.end(), args.begin(), args.end());
    const auto result = tool(argv);
    if (result.status != 0) {
        throw std::runtime_error("xdotool failed: " + args.front());
    }
}

void XSession::keyDown(const std::string& key) {
    xdotool({"keydown", key});
}
void XSession::keyUp(const std::string& key) {
    xdotool({"keyup", key});
}

void XSession::mouseMove(int x, int y) {
    xdotool({"mousemove", "--sync", std::to_string(x), std::to_string(y)});
}

void XSession::mouseDown(int button) {
    xdotool({"mousedown", std::to_string(button)});
}
void XSession::mouseUp(int button) {
    xdotool({"mouseup", std::to_string(button)});
}

std::optional<WindowId> XSession::windowAt(int x, int y) {
    const auto result = tool({"xdotool", "mousemove", "--sync", std::to_string(x),
                              std::to_string(y), "getmouselocation", "--shell"});
    const auto at = result.out.find("WINDOW=");
    if (result.status != 0 || at == std::string::npos) {
        return std::nullopt;
    }
    return parseWindowId(result.out.substr(at + 7));
}

WindowId XSession::rootWindow() {
    const std::string out = tool({"xwininfo", "-root"}).out;
    const std::string label = "Window id: ";
    const auto at = out.find(label);
    return at == std::string::npos ? 0 : parseWindowId(out.substr(at + label.size())).value_or(0);
}

QImage XSession::capture() {
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(displayName().c_str(), &screenNumber);
    QImage image;
    if (!xcb_connection_has_error(connection)) {
        image = captureRoot(connection, screenNumber);
    }
    xcb_disconnect(connection);
    return image;
}

} // namespace xtest
