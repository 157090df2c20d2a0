#pragma once

#include <array>
#include <optional>
#include <string>

#include "skin/components.h"
#include "skin/config_file.h"
#include "skin/config_values.h"

// What a skin's configuration makes of the window, worked out without any picture or
// platform: every front end lays the device out from this and paints it its own way.
namespace skin {

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};

// The component configured by one `Image` section: the picture it is to show and its box.
struct ImagePlacement {
    Component component = Component::im_background;
    // Folder and file name as the configuration gives them; empty when the section names no
    // picture, so the component keeps the one it has.
    std::string picturePath;
    Box box;
};

struct SkinLayout {
    bool fullscreen = false;
    // The window's client area: at least one pixel each way, at most a picture's largest side.
    Size clientSize;
    // GameWidth x GameHeight as the file gives them, and where the device lies in the window.
    Size configuredGameSize;
    Box gameArea;
    // The colour of client pixels no picture covers.
    Rgb background;
    // Windowed: window pixels of exactly this colour are see-through.
    std::optional<Rgb> colourKey;
    // Full screen only, each when the configuration names one; they are shown only when their
    // file exists.
    std::string backdropPath;
    bool backdropStretch = false;
    std::string logoPath;
    int logoPosition = 1;
    std::array<ImagePlacement, kSkinImageCount> images;
    // The in-window game menu: shown full screen, at its closed size.
    bool gameMenuShown = false;
    Box gameMenuBox{0, 0, 36, 32};
};

// Lays the window out from the configuration for one layout, on a screen of `screen` size.
SkinLayout layOutSkin(const ConfigFile& config, bool fullscreen, Size screen);

// Where a logo of `logo` size goes on the screen: LogoPosition 0 top left, 1 top right, 2
// bottom left, 3 bottom right; any other value leaves it at `current`'s place.
Box logoBox(int position, Size screen, Size logo, Box current);

} // namespace skin
