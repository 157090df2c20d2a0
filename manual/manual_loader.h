#pragma once

#include <QImage>
#include <QSize>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "manual/manual_config.h"
#include "skin/picture_budget.h"

namespace manual {

// The picture book as loaded once at start: the window's client size and its pages.
struct Manual {
    QSize clientSize{415, 270};
    // Page p at index p - 1, opaque; a missing page holds the placeholder picture.
    std::array<QImage, kManualPageCount> pages;
    // Page files that exist but cannot be decoded; those pages hold the placeholder too.
    std::vector<std::string> pictureErrors;
};

// Reads the [Manual] section of the configuration file at `configPath` (a missing file gives
// every default) and loads the pages 1.bmp to 8.bmp from its folder, all within one budget of
// decoded picture memory; a page past it holds the placeholder and is reported.
Manual LoadManual(const std::string& configPath,
                  std::uint64_t pictureBudget = skin::kSkinPictureBudget);

} // namespace manual
