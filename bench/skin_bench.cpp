#include <filesystem>
#include <fstream>
#include <string>

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include "device/device.h"
#include "device/seeded_random.h"
#include "device/stored_text.h"
#include "skin/components.h"
#include "skin/load_skin.h"
#include "skin/scene.h"
#include "skin/scene_display.h"
#include "tests/device/play.h"

namespace {

namespace fs = std::filesystem;

// A skin of 92 PNG pictures in their boxes at creation, and a 1920 x 1080 JPEG-sized backdrop.
class BenchSkin {
public:
    BenchSkin()
        : root_(fs::temp_directory_path() / ("zemblor-bench-skin-" + std::to_string(::getpid()))) {
        fs::create_directories(root_);
        std::ofstream config(root_ / "Config.ini");
        config << "[Common]\nSkinDir=" << root_.string()
               << "/\n[Fullscreen]\nBackdropDir=" << root_.string()
               << "/\nBackdropFile=backdrop.bmp\n";
        QImage backdrop(1920, 1080, QImage::Format_RGB32);
        backdrop.fill(QColor(40, 60, 80));
        backdrop.save(QString::fromStdString((root_ / "backdrop.bmp").string()), "BMP");
        for (int n = 1; n <= skin::kSkinImageCount; ++n) {
            const skin::ComponentInfo& info = skin::componentInfo(skin::skinImage(n));
            const skin::Box b = info.boxAtCreation;
            QImage picture(std::max(b.width, 1), std::max(b.height, 1), QImage::Format_ARGB32);
            picture.fill(QColor(20, 30, 40, n == 1 ? 255 : 200));
            const std::string name = std::to_string(n) + ".png";
            picture.save(QString::fromStdString((root_ / name).string()), "PNG");
            config << "[Image" << n << "]\nFilename=" << name << "\nLeft=" << b.left
                   << "\nTop=" << b.top << "\nWidth=" << b.width << "\nHeight=" << b.height << "\n";
        }
    }
    ~BenchSkin() { fs::remove_all(root_); }
    std::string config() const { return (root_ / "Config.ini").string(); }

private:
    fs::path root_;
};

const BenchSkin& benchSkin() {
    static const BenchSkin skin;
    return skin;
}

void BM_LoadSkinOf92Pictures(benchmark::State& state) {
    skin::QuietSkinHost host({1920, 1080});
    for (auto _ : state) {
        skin::Scene scene;
        benchmark::DoNotOptimize(skin::LoadSkin(scene, host, benchSkin().config(), false));
    }
}
BENCHMARK(BM_LoadSkinOf92Pictures)->Unit(benchmark::kMillisecond);

struct Quiet : device::SoundPlayer, device::LocalClock {
    void play(device::Sample) override {}
    device::LocalTime now() override { return {9, 41, 12, 8}; }
};
struct NoSettings : device::TextSettings {
    std::optional<std::string> readText(std::string_view) override { return std::nullopt; }
    void writeText(std::string_view, const std::string&) override {}
};

// Repaints what each game tick changes, as a window would on its dirty rectangle.
void BM_RepaintOneTickWindowed(benchmark::State& state) {
    skin::QuietSkinHost host({1920, 1080});
    skin::Scene scene;
    skin::LoadSkin(scene, host, benchSkin().config(), false);
    skin::SceneDisplay display(scene);
    Quiet quiet;
    NoSettings settings;
    device::SeededRandom random(1);
    device::Device device(device::Ports{display, quiet, settings, quiet, random});
    device.startUp();
    device.powerOn();
    device.press(device::Button::GameA);
    device.release(device::Button::GameA);
    device.press(device::Button::GameA);
    device.release(device::Button::GameA);
    device.advance(1500);
    QImage frame = scene.render();
    display.takeDirty();
    for (auto _ : state) {
        // Every item caught, so play goes on for as long as the benchmark runs.
        const device::DeviceSnapshot s = device.snapshot();
        const int hero = device_test::heroFor(s, device_test::kCatchAll);
        for (int at = s.hero; at < hero; ++at) {
            device.press(device::Button::Right);
            device.release(device::Button::Right);
        }
        for (int at = s.hero; at > hero; --at) {
            device.press(device::Button::Left);
            device.release(device::Button::Left);
        }
        device.advance(device.timers().interval(device::TimerId::Timer_Game));
        const QRect dirty = display.takeDirty();
        QPainter painter(&frame);
        scene.paint(painter, dirty);
    }
}
BENCHMARK(BM_RepaintOneTickWindowed)->Unit(benchmark::kMicrosecond);

void BM_FullRepaintFullscreen(benchmark::State& state) {
    skin::QuietSkinHost host({1920, 1080});
    skin::Scene scene;
    skin::LoadSkin(scene, host, benchSkin().config(), true);
    QImage frame(scene.clientSize(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&frame);
        scene.paint(painter, QRect(QPoint(0, 0), scene.clientSize()));
    }
}
BENCHMARK(BM_FullRepaintFullscreen)->Unit(benchmark::kMillisecond);

} // namespace
