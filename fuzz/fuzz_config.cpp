// Feeds arbitrary bytes to the configuration reader and the value forms a skin load uses.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "skin/config_file.h"
#include "skin/config_values.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const skin::ConfigFile config = skin::ConfigFile::fromText(text);
    const std::string dir = skin::skinFolder(config.readText("Common", "SkinDir", "Graphics\\Skin\\"));
    int sum = config.readInt("Common", "GameWidth", 560) + config.readInt("common", "gameheight", 372);
    sum += skin::skinOffset(config.readText("Fullscreen", "GameOffsetX", "Center")).value_or(0);
    const skin::Rgb colour = skin::parseSkinColour(config.readText("VideoMode", "TranspColor", "$00ff00ff"), "$00ff00ff");
    for (int n = 1; n <= 92; n += 13) {
        const std::string section = "Image" + std::to_string(n);
        sum += skin::namesPicture(config.readText(section, "Filename", "")) ? 1 : 0;
        sum += config.readInt(section, "Left", 0);
    }
    // A value never exceeds the reader's 2047-character limit.
    if (config.readText("Common", "SkinDir", "").size() > skin::ConfigFile::kMaxValueLength) {
        __builtin_trap();
    }
    return (sum + colour.r + static_cast<int>(dir.size())) == 0x7fffffff ? 1 : 0;
}
