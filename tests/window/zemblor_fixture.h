// The fixture shared by the real-window tests: a private X server, zemblor started on it with a
// settings file and a trace file of its own, and readers for both.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <QImage>
#include <QPoint>
#include <gtest/gtest.h>

#include "tests/window/x_session.h"

namespace zemblor_test {

using xtest::Geometry;
using xtest::Millis;
using xtest::WindowId;
using Settings = std::map<std::string, std::string>;

inline const std::string kSplashTitle = "About this game...";
inline const std::string kMainTitle = "Zemblor (Ortheq, Quillet) Simulator";
// Odd screen sizes, so that centring has a half pixel to drop.
inline constexpr int kScreenWidth = 1025;
inline constexpr int kScreenHeight = 769;
inline constexpr int kSplashWidth = 460;
inline constexpr int kSplashHeight = 420;
// GameWidth and GameHeight of assets/Config.ini.
inline constexpr int kDeviceWidth = 560;
inline constexpr int kDeviceHeight = 372;
// Generous: sanitizer builds on a busy two-core machine start slowly.
inline constexpr Millis kPatience(15000);
inline constexpr Millis kStep(5000);

inline const Settings kWindowedNoSplash = {
    {"FullscreenMode", "0"}, {"SoundMode", "2"}, {"SplashScreen", "0"}};

inline std::string zemblorPath() {
    const char* overridden = std::getenv("ZEMBLOR_EXE");
    return overridden && *overridden ? overridden : ZEMBLOR_EXE;
}

inline std::vector<std::string> readLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

inline void writeSettings(const std::string& path, const Settings& settings) {
    std::ofstream out(path);
    out << "[General]\n";
    for (const auto& [name, value] : settings) {
        out << name << '=' << value << '\n';
    }
}

// Values of the root ([General]) by name; those of other sections as "Section/name".
inline Settings readSettings(const std::string& path) {
    Settings settings;
    std::string section = "General";
    for (std::string line : readLines(path)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.size() > 1 && line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
        } else if (const auto equals = line.find('='); equals != std::string::npos) {
            const std::string name = line.substr(0, equals);
            settings[section == "General" ? name : section + "/" + name] = line.substr(equals + 1);
        }
    }
    return settings;
}

// The value of a string field of a trace line, or "" when the line has none.
inline std::string field(const std::string& line, const std::string& name) {
    const std::string key = "\"" + name + "\":\"";
    const auto at = line.find(key);
    if (at == std::string::npos) {
        return {};
    }
    const auto start = at + key.size();
    return line.substr(start, line.find('"', start) - start);
}

inline bool lights(const std::string& stateLine, const std::string& segment) {
    return stateLine.find("\"" + segment + "\"") != std::string::npos;
}

inline Geometry centred(int width, int height) {
    return {std::max(0, (kScreenWidth - width) / 2), std::max(0, (kScreenHeight - height) / 2),
            width, height, true};
}

inline std::string rgb(QRgb pixel) {
    std::ostringstream out;
    out << '(' << qRed(pixel) << ',' << qGreen(pixel) << ',' << qBlue(pixel) << ')';
    return out.str();
}

// For sanitizer builds: leaks inside system libraries are not the program's own.
inline std::string lsanOptions() {
    const std::string suppressions = "suppressions=" LSAN_SUPPRESSIONS;
    const char* given = std::getenv("LSAN_OPTIONS");
    return given && *given ? std::string(given) + ":" + suppressions : suppressions;
}

class ZemblorWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (zemblorPath().empty()) {
            GTEST_SKIP() << "no zemblor program: build the target or set ZEMBLOR_EXE";
        }
        char pattern[] = "/tmp/zemblor-window-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        settingsPath_ = dir_ + "/settings.ini";
        tracePath_ = dir_ + "/trace.jsonl";
        outputPath_ = dir_ + "/zemblor.out";
    }

    void TearDown() override {
        if (HasFailure() && x_) {
            const QImage screen = x_->capture();
            if (!screen.isNull()) {
                std::cerr << "screen at the failure: " << saveShot(screen, "failure") << '\n';
            }
        }
        x_.reset();
        if (dir_.empty()) {
            return;
        }
        if (HasFailure()) {
            std::ifstream output(outputPath_);
            std::cerr << "program output:\n" << output.rdbuf() << "\nkept " << dir_ << '\n';
        } else {
            std::filesystem::remove_all(dir_);
        }
    }

    void startX(int display, bool windowManager = false) {
        x_ = std::make_unique<xtest::XSession>(
            xtest::XSession::Options{display, kScreenWidth, kScreenHeight, windowManager});
        ASSERT_NO_THROW(x_->start());
    }

    // `handWritten` is appended to the settings file as a person might have; `more` are
    // further options.
    xtest::Child& startZemblor(const Settings& settings, const std::string& handWritten = {},
                               const std::vector<std::string>& more = {}) {
        writeSettings(settingsPath_, settings);
        std::ofstream(settingsPath_, std::ios::app) << handWritten;
        std::vector<std::string> args = {"--settings", settingsPath_,     "--trace",
                                         tracePath_,   "--seed",          "1",
                                         "--clock",    "2026-12-08 09:41"};
        args.insert(args.end(), more.begin(), more.end());
        return x_->launch({zemblorPath(),
                           args,
                           ZEMBLOR_ASSETS_DIR,
                           {{"SDL_AUDIODRIVER", "dummy"},
                            {"HOME", dir_},
                            {"XDG_RUNTIME_DIR", dir_},
                            {"LSAN_OPTIONS", lsanOptions()}},
                           outputPath_});
    }

    std::optional<WindowId> waitForWindow(const std::string& title) {
        return x_->waitForWindow(xtest::exactName(title), kPatience);
    }

    // Whether a window of that name shows on the screen (one mapped off the screen does not).
    bool onScreen(const std::string& title) {
        for (const WindowId window : x_->findWindows(xtest::exactName(title), true)) {
            const auto g = x_->geometry(window);
            if (g && g->viewable && g->x < kScreenWidth && g->y < kScreenHeight &&
                g->x + g->width > 0 && g->y + g->height > 0) {
                return true;
            }
        }
        return false;
    }

    // Polls the window's geometry until it is `wanted`; returns the last one seen.
    Geometry waitForGeometry(WindowId window, const Geometry& wanted, Millis timeout = kPatience) {
        Geometry last;
        xtest::pollUntil(timeout, [&] {
            if (const auto g = x_->geometry(window)) {
                last = *g;
            }
            return last == wanted && last.viewable;
        });
        return last;
    }

    std::vector<std::string> stateLines() {
        std::vector<std::string> states;
        for (const auto& line : readLines(tracePath_)) {
            if (!field(line, "mode").empty()) {
                states.push_back(line);
            }
        }
        return states;
    }

    std::vector<std::string> storedNames() {
        std::vector<std::string> names;
        for (const auto& line : readLines(tracePath_)) {
            if (const auto name = field(line, "store"); !name.empty()) {
                names.push_back(name);
            }
        }
        return names;
    }

    bool waitForStates(std::size_t count) {
        return xtest::pollUntil(kPatience, [&] { return stateLines().size() >= count; });
    }

    bool waitForMode(const std::string& mode) {
        return xtest::pollUntil(kPatience, [&] {
            for (const auto& line : stateLines()) {
                if (field(line, "mode") == mode) {
                    return true;
                }
            }
            return false;
        });
    }

    // The device's main window, up and powered on.
    std::optional<WindowId> waitForPoweredDevice() {
        const auto window = waitForWindow(kMainTitle);
        if (!window || !waitForMode("ModeAllSegments")) {
            return std::nullopt;
        }
        return window;
    }

    // Polls the screen until `ready` holds for it; returns the last capture.
    template <class Ready> QImage waitForScreen(Ready ready, Millis timeout = kPatience) {
        QImage last;
        xtest::pollUntil(timeout, [&] {
            last = x_->capture();
            return !last.isNull() && ready(last);
        });
        return last;
    }

    void pressTap(const std::string& key) {
        x_->keyDown(key);
        x_->keyUp(key);
    }

    std::string saveShot(const QImage& image, const std::string& what) {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(test->test_suite_name()) + "." + test->name() + "-" + what;
        for (char& c : name) {
            if (c == '/') {
                c = '-';
            }
        }
        std::filesystem::create_directories(WINDOW_SHOTS_DIR);
        const std::string path = std::string(WINDOW_SHOTS_DIR) + "/" + name + ".png";
        image.save(QString::fromStdString(path));
        return path;
    }

    // The windowed face with every segment lit, as the skin tool renders it (see-through pixels
    // at alpha 0).
    QImage referenceFace() {
        const std::string path = dir_ + "/reference.png";
        xtest::Child tool({SKIN_PREVIEW_EXE,
                           {"--config", "Config.ini", path},
                           ZEMBLOR_ASSETS_DIR,
                           {{"QT_QPA_PLATFORM", "offscreen"}, {"LSAN_OPTIONS", lsanOptions()}},
                           dir_ + "/preview.out"});
        const auto status = tool.waitExit(kPatience);
        if (!status || !status->exited || status->code != 0) {
            return {};
        }
        return QImage(QString::fromStdString(path));
    }

    std::unique_ptr<xtest::XSession> x_;
    std::string dir_;
    std::string settingsPath_;
    std::string tracePath_;
    std::string outputPath_;
};

} // namespace zemblor_test
