// Feeds arbitrary bytes to the configuration reader and the value forms a skin load uses, then
// lays a skin out from them in both layouts and paints it as the program's window would.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include <QImage>
#include <QPainter>

#include "skin/config_file.h"
#include "skin/config_values.h"
#include "skin/load_skin.h"
#include "skin/scene.h"

namespace {

// Pictures named by the input are looked up as a skin's are, from the working directory; the
// few that exist may take this much, so an iteration stays quick.
constexpr std::uint64_t kPictureBudget = 4u << 20;

// The first corner of the window, painted as the program repaints after a change: with the
// union of every shown component's rectangle as the dirty area.
void layOutAndPaint(const skin::ConfigFile& config, bool fullscreen) {
    skin::Scene scene;
    skin::QuietSkinHost host({320, 200});
    skin::LoadSkin(scene, host, config, fullscreen, kPictureBudget);
    QRect dirty;
    for (std::size_t i = 0; i < skin::kComponentCount; ++i) {
        const auto c = static_cast<skin::Component>(i);
        if (scene.isShown(c)) {
            dirty |= scene.paintRect(c);
        }
    }
    QImage frame(scene.clientSize().boundedTo(QSize(320, 200)),
                 QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&frame);
    scene.paint(painter, dirty);
    scene.paint(painter, frame.rect());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const skin::ConfigFile config = skin::ConfigFile::fromText(text);
    const std::string dir =
        skin::skinFolder(config.readText("Common", "SkinDir", "Graphics\\Skin\\"));
    std::int64_t sum = std::int64_t{config.readInt("Common", "GameWidth", 560)} +
                       config.readInt("common", "gameheight", 372);
    sum += skin::skinOffset(config.readText("Fullscreen", "GameOffsetX", "Center")).value_or(0);
    const skin::Rgb colour = skin::parseSkinColour(
        config.readText("VideoMode", "TranspColor", "$00ff00ff"), "$00ff00ff");
    for (int n = 1; n <= 92; n += 13) {
        const std::string section = "Image" + std::to_string(n);
        sum += skin::namesPicture(config.readText(section, "Filename", "")) ? 1 : 0;
        sum += config.readInt(section, "Left", 0);
    }
    // A value never exceeds the reader's 2047-character limit.
    if (config.readText("Common", "SkinDir", "").size() > skin::ConfigFile::kMaxValueLength) {
        __builtin_trap();
    }
    layOutAndPaint(config, false);
    layOutAndPaint(config, true);
    return (sum + colour.r + static_cast<std::int64_t>(dir.size())) == 0x7fffffff ? 1 : 0;
}
