#include "skin/skin_layout.h"

#include <algorithm>
#include <cstdint>

#include "skin/box_bounds.h"
#include "skin/picture_limits.h"

namespace skin {
namespace {

// A skin cannot ask for a window no screen could show, nor one without a pixel to click for
// the menu.
Size windowSize(int width, int height) {
    return {std::clamp(width, 1, kMaxPictureSide), std::clamp(height, 1, kMaxPictureSide)};
}

} // namespace

SkinLayout layOutSkin(const ConfigFile& config, bool fullscreen, Size screen) {
    SkinLayout layout;
    layout.fullscreen = fullscreen;
    const std::string skinDir =
        skinFolder(config.readText("Common", "SkinDir", "Graphics\\Skin\\"));
    const int gameWidth = config.readInt("Common", "GameWidth", 560);
    const int gameHeight = config.readInt("Common", "GameHeight", 372);
    layout.configuredGameSize = {gameWidth, gameHeight};
    // The game area itself may be empty; only the window keeps a pixel.
    const Size game{std::clamp(gameWidth, 0, kMaxPictureSide),
                    std::clamp(gameHeight, 0, kMaxPictureSide)};
    layout.clientSize = windowSize(gameWidth, gameHeight);

    std::int64_t offsetX = 0;
    std::int64_t offsetY = 0;
    if (fullscreen) {
        const std::string backdropDir =
            skinFolder(config.readText("Fullscreen", "BackdropDir", "Graphics\\Backdrops\\"));
        const std::string backdropFile = config.readText("Fullscreen", "BackdropFile", "nil");
        if (namesPicture(backdropFile)) {
            layout.backdropPath = joinPath(backdropDir, backdropFile);
            layout.backdropStretch = config.readInt("Fullscreen", "BackdropStretch", 0) != 0;
        }
        layout.background =
            parseSkinColour(config.readText("Fullscreen", "BgColor", "$00000000"), "$00000000");
        offsetX = skinOffset(config.readText("Fullscreen", "GameOffsetX", "Center"))
                      .value_or((screen.width - game.width) / 2);
        offsetY = skinOffset(config.readText("Fullscreen", "GameOffsetY", "Center"))
                      .value_or((screen.height - game.height) / 2);
        layout.clientSize = windowSize(screen.width, screen.height);
        const std::string logoFile = config.readText("Fullscreen", "LogoFile", "nil");
        if (namesPicture(logoFile)) {
            layout.logoPath = joinPath(backdropDir, logoFile);
            layout.logoPosition = config.readInt("Fullscreen", "LogoPosition", 1);
        }
        layout.gameMenuShown = true;
    } else {
        const Rgb key = parseSkinColour(config.readText("VideoMode", "TranspColor", "$00ff00ff"),
                                        "$00ff00ff");
        layout.background = key;
        layout.colourKey = key;
    }
    layout.gameArea = boundedBox(offsetX, offsetY, game.width, game.height);

    for (int n = 1; n <= kSkinImageCount; ++n) {
        const std::string section = "Image" + std::to_string(n);
        ImagePlacement& image = layout.images[static_cast<std::size_t>(n - 1)];
        image.component = skinImage(n);
        const std::string fileName = config.readText(section, "Filename", "");
        if (namesPicture(fileName)) {
            image.picturePath = joinPath(skinDir, fileName);
        }
        // Any integer the file holds, plus any offset, is a box: the sums are taken in 64 bits.
        image.box = boundedBox(std::int64_t{config.readInt(section, "Left", 0)} + offsetX,
                               std::int64_t{config.readInt(section, "Top", 0)} + offsetY,
                               config.readInt(section, "Width", 0),
                               config.readInt(section, "Height", 0));
    }
    return layout;
}

Box logoBox(int position, Size screen, Size logo, Box current) {
    Box box{current.left, current.top, logo.width, logo.height};
    switch (position) {
    case 0:
        box.left = 0;
        box.top = 0;
        break;
    case 1:
        box.left = screen.width - logo.width;
        box.top = 0;
        break;
    case 2:
        box.left = 0;
        box.top = screen.height - logo.height;
        break;
    case 3:
        box.left = screen.width - logo.width;
        box.top = screen.height - logo.height;
        break;
    default:
        break;
    }
    return box;
}

} // namespace skin
