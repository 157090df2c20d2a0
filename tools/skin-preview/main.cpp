// Renders a skin, with the device in any state a script can reach, to a PNG file.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include "session/date_time.h"
#include "session/runner.h"
#include "skin/load_skin.h"
#include "skin/scene.h"
#include "skin/scene_display.h"
#include "tools/skin-preview/skin_report.h"

namespace {

constexpr std::string_view kUsage =
    "usage: zemblor-skin-preview [--fullscreen WIDTHxHEIGHT] [--script FILE] [--config PATH]\n"
    "                            OUT.png\n"
    "Loads the skin from Config.ini (beside the program unless --config names one; picture\n"
    "folders relative to the working directory), runs the device script or powers the device\n"
    "on, and writes the window to OUT.png. See-through pixels of the windowed layout get\n"
    "alpha 0.\n";

class PreviewHost : public skin::SkinHost {
public:
    explicit PreviewHost(QSize screen) : screen_(screen) {}
    QSize screenSize() const override { return screen_; }
    void setClientSize(QSize) override {}
    void setBackgroundColour(QColor) override {}
    void setColourKey(std::optional<QColor>) override {}
    void showError(const std::string& text) override { std::cerr << text << '\n'; }
    void requestTerminate() override { terminateRequested = true; }
    void pictureError(const std::string&) override {}
    bool terminateRequested = false;

private:
    QSize screen_;
};

int usageError(const std::string& message) {
    std::cerr << "zemblor-skin-preview: " << message << '\n' << kUsage;
    return 2;
}

std::optional<QSize> parseSize(std::string_view text) {
    const std::size_t x = text.find('x');
    if (x == std::string_view::npos) {
        return std::nullopt;
    }
    try {
        std::size_t used = 0;
        const int w = std::stoi(std::string(text.substr(0, x)), &used);
        if (used != x) {
            return std::nullopt;
        }
        const std::string rest(text.substr(x + 1));
        const int h = std::stoi(rest, &used);
        if (used != rest.size() || w < 1 || h < 1 || w > 16384 || h > 16384) {
            return std::nullopt;
        }
        return QSize(w, h);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// The name reaches the file system byte for byte, whatever its encoding.
bool writePng(const QImage& frame, const std::string& path) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !frame.save(&buffer, "PNG")) {
        return false;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.constData(), bytes.size());
    out.close();
    return !out.fail();
}

void printReport(const std::vector<std::string>& problems) {
    for (const std::string& problem : problems) {
        std::cout << problem << '\n';
    }
    std::cout << (problems.empty() ? "skin: no problems found\n"
                                   : "skin: " + std::to_string(problems.size()) + " problem(s)\n");
}

std::string configBesideProgram() {
    std::error_code ec;
    const auto exe = std::filesystem::canonical("/proc/self/exe", ec);
    return ec ? std::string("Config.ini") : (exe.parent_path() / "Config.ini").string();
}

} // namespace

int main(int argc, char** argv) {
    std::optional<QSize> fullscreen;
    std::optional<std::string> scriptPath;
    std::optional<std::string> configPath;
    std::optional<std::string> outPath;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (arg == "--fullscreen" || arg == "--script" || arg == "--config") {
            if (i + 1 >= argc) {
                return usageError(std::string(arg) + " needs a value");
            }
            const std::string value = argv[++i];
            if (arg == "--fullscreen") {
                fullscreen = parseSize(value);
                if (!fullscreen) {
                    return usageError("--fullscreen needs WIDTHxHEIGHT, not '" + value + "'");
                }
            } else if (arg == "--script") {
                scriptPath = value;
            } else {
                configPath = value;
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            return usageError("unknown option '" + std::string(arg) + "'");
        } else if (outPath) {
            return usageError("only one output file may be given");
        } else {
            outPath = std::string(arg);
        }
    }
    if (!outPath) {
        return usageError("no output file given");
    }

    skin::Scene scene;
    PreviewHost host(fullscreen.value_or(QSize(1920, 1080)));
    const skin::SkinLoadReport load = skin::LoadSkin(
        scene, host, configPath.value_or(configBesideProgram()), fullscreen.has_value());
    if (load.configMissing) {
        return 1;
    }
    if (const auto noGameArea = preview::gameAreaProblem(load)) {
        printReport(preview::skinProblems(scene, load));
        std::cerr << "zemblor-skin-preview: " << *noGameArea << '\n';
        return 1;
    }

    skin::SceneDisplay display(scene);
    session::RunOptions options;
    options.seed = 1;
    options.clock = session::DateTime{2026, 1, 1, 10, 8, 0};
    options.display = &display;
    std::ostringstream events;
    std::ostringstream errors;
    int status = 0;
    if (scriptPath) {
        std::ifstream script(*scriptPath);
        if (!script) {
            std::cerr << "zemblor-skin-preview: cannot read script '" << *scriptPath << "'\n";
            return 2;
        }
        status = session::runScript(script, events, errors, options);
    } else {
        std::istringstream powerOn("power\n");
        status = session::runScript(powerOn, events, errors, options);
    }
    if (status != 0) {
        std::cerr << errors.str();
        return status;
    }

    QImage frame = scene.render().convertToFormat(QImage::Format_ARGB32);
    if (scene.colourKey()) {
        const QImage mask = skin::seeThroughMask(frame, *scene.colourKey());
        for (int y = 0; y < frame.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(frame.scanLine(y));
            for (int x = 0; x < frame.width(); ++x) {
                if (mask.pixelIndex(x, y) == 1) {
                    line[x] = 0;
                }
            }
        }
    }
    if (!writePng(frame, *outPath)) {
        std::cerr << "zemblor-skin-preview: cannot write '" << *outPath << "'\n";
        return 2;
    }
    printReport(preview::skinProblems(scene, load));
    return 0;
}
