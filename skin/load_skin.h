#pragma once

#include <string>
#include <vector>

#include <QRect>

#include "scene.h"
#include "skin_host.h"

namespace skin {

inline constexpr const char* kConfigMissingText =
    "Configuration file (Config.ini) not found. Please reinstall the game.";

// What went wrong while loading, for skin authors.
struct SkinLoadReport {
    bool configMissing = false;
    std::vector<std::string> missingPictures;     // named, but no such file
    std::vector<std::string> undecodablePictures; // "path: reason"
    QRect gameArea;                               // the device within the window
};

// Lays out the window from the configuration file at `configPath`, windowed or full
// screen, loading every picture into its component. Relative folders in the file are
// taken from the working directory.
SkinLoadReport LoadSkin(Scene& scene, SkinHost& host, const std::string& configPath,
                        bool fullscreenOn);

} // namespace skin
