#include "manual/manual_config.h"

#include <algorithm>

#include "manual/manual_pager.h"
#include "skin/config_values.h"
#include "skin/picture_limits.h"

namespace manual {

static_assert(ManualPager::kLastPage - ManualPager::kFirstPage + 1 == kManualPageCount);

namespace {

// A window needs at least one pixel, and no screen could show one larger than a picture.
int windowSide(int configured) {
    return std::clamp(configured, 1, skin::kMaxPictureSide);
}

} // namespace

ManualConfig readManualConfig(const skin::ConfigFile& config) {
    ManualConfig manual;
    const std::string folder =
        skin::skinFolder(config.readText("Manual", "ManualDir", "Graphics\\Manual\\"));
    const int height = windowSide(config.readInt("Manual", "ManualHeight", 270));
    const int width = windowSide(config.readInt("Manual", "ManualWidth", 415));
    manual.clientSize = ManualSize{width, height};
    for (int p = 1; p <= kManualPageCount; ++p) {
        manual.pageFiles[static_cast<std::size_t>(p - 1)] =
            skin::joinPath(folder, std::to_string(p) + ".bmp");
    }
    return manual;
}

} // namespace manual
