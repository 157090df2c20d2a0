#include "manual/manual_loader.h"

#include <algorithm>

#include "skin/config_file.h"
#include "skin/config_values.h"
#include "skin/path_case.h"
#include "skin/picture_budget.h"
#include "skin/scene.h"

namespace manual {

using skin::ConfigFile;
using skin::findFileIgnoringCase;
using skin::joinPath;
using skin::kMaxPictureSide;
using skin::PictureBudget;
using skin::PictureResult;
using skin::placeholderPicture;
using skin::skinFolder;

namespace {

// A window needs at least one pixel, and no screen could show one larger than a picture.
int windowSide(int configured) {
    return std::clamp(configured, 1, kMaxPictureSide);
}

QImage opaque(const QImage& image) {
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

Manual LoadManual(const std::string& configPath, std::uint64_t pictureBudget) {
    const ConfigFile config = ConfigFile::open(configPath);
    Manual manual;
    const std::string folder =
        skinFolder(config.readText("Manual", "ManualDir", "Graphics\\Manual\\"));
    const int height = windowSide(config.readInt("Manual", "ManualHeight", 270));
    const int width = windowSide(config.readInt("Manual", "ManualWidth", 415));
    manual.clientSize = QSize(width, height);

    // The pages share one budget of decoded memory, as a skin's pictures do.
    PictureBudget budget(pictureBudget);
    for (int p = 1; p <= kManualPageCount; ++p) {
        QImage& page = manual.pages[static_cast<std::size_t>(p - 1)];
        page = opaque(placeholderPicture().image);
        const auto found = findFileIgnoringCase(joinPath(folder, std::to_string(p) + ".bmp"));
        if (!found) {
            continue;
        }
        PictureResult result = budget.load(*found);
        if (result.picture) {
            page = opaque(result.picture->image);
        } else {
            manual.pictureErrors.push_back(result.error);
        }
    }
    return manual;
}

} // namespace manual
