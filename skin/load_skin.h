#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <QRect>

#include "skin/config_file.h"
#include "skin/picture_budget.h"
#include "skin/scene.h"
#include "skin/skin_host.h"

namespace skin {

inline constexpr const char* kConfigMissingText =
    "Configuration file (Config.ini) not found. Please reinstall the game.";

// What went wrong while loading, for skin authors.
struct SkinLoadReport {
    bool configMissing = false;
    std::vector<std::string> missingPictures;     // named, but no such file
    std::vector<std::string> undecodablePictures; // "path: reason"
    QRect gameArea;                               // the device within the window
    // GameWidth x GameHeight as the file gives them; the window keeps at least 1 x 1 pixel.
    QSize configuredGameSize;
};

// Lays out the window from the configuration file at `configPath`, windowed or full
// screen, loading every picture into its component. Relative folders in the file are
// taken from the working directory.
SkinLoadReport LoadSkin(Scene& scene, SkinHost& host, const std::string& configPath,
                        bool fullscreenOn);

// The same from a configuration already read, with a picture budget of the caller's; pictures
// past it get the placeholder, like pictures that cannot be decoded.
SkinLoadReport LoadSkin(Scene& scene, SkinHost& host, const ConfigFile& config, bool fullscreenOn,
                        std::uint64_t pictureBudget = kSkinPictureBudget);

} // namespace skin
