#include "manual/manual_loader.h"

#include "skin/config_file.h"
#include "skin/path_case.h"
#include "skin/picture_budget.h"
#include "skin/scene.h"

namespace manual {

using skin::ConfigFile;
using skin::findFileIgnoringCase;
using skin::PictureBudget;
using skin::PictureResult;
using skin::placeholderPicture;

namespace {

QImage opaque(const QImage& image) {
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

Manual LoadManual(const std::string& configPath, std::uint64_t pictureBudget) {
    const ManualConfig config = readManualConfig(ConfigFile::open(configPath));
    Manual manual;
    manual.clientSize = QSize(config.clientSize.width, config.clientSize.height);

    // The pages share one budget of decoded memory, as a skin's pictures do.
    PictureBudget budget(pictureBudget);
    for (int p = 1; p <= kManualPageCount; ++p) {
        QImage& page = manual.pages[static_cast<std::size_t>(p - 1)];
        page = opaque(placeholderPicture().image);
        const auto found = findFileIgnoringCase(config.pageFiles[static_cast<std::size_t>(p - 1)]);
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
