#pragma once

#include <array>
#include <string>

#include "manual/manual_geometry.h"
#include "skin/config_file.h"

namespace manual {

inline constexpr int kManualPageCount = 8;

// What the [Manual] section of the skin's configuration says: the window's client size and
// where each page's picture is (page p at index p - 1), before any look at the files.
struct ManualConfig {
    ManualSize clientSize{415, 270};
    std::array<std::string, kManualPageCount> pageFiles;
};

ManualConfig readManualConfig(const skin::ConfigFile& config);

} // namespace manual
