#include "tools/skin-preview/skin_report.h"

#include "skin/components.h"

namespace preview {

std::optional<std::string> gameAreaProblem(const skin::SkinLoadReport& load) {
    const QSize size = load.configuredGameSize;
    if (load.configMissing || !size.isEmpty()) {
        return std::nullopt;
    }
    return "no game area: GameWidth " + std::to_string(size.width()) + ", GameHeight " +
           std::to_string(size.height()) + " in [Common] (each must be at least 1)";
}

std::vector<std::string> skinProblems(const skin::Scene& scene, const skin::SkinLoadReport& load) {
    std::vector<std::string> problems;
    const std::optional<std::string> noGameArea = gameAreaProblem(load);
    if (noGameArea) {
        problems.push_back(*noGameArea);
    }
    for (const std::string& path : load.missingPictures) {
        problems.push_back("missing picture: " + path);
    }
    for (const std::string& error : load.undecodablePictures) {
        problems.push_back("undecodable picture: " + error);
    }
    for (int n = 1; n <= skin::kSkinImageCount; ++n) {
        const skin::Component c = skin::skinImage(n);
        const std::string name(skin::componentInfo(c).name);
        const skin::Box b = scene.box(c);
        const std::string where = name + " (Image" + std::to_string(n) + ")";
        if (b.width <= 0 || b.height <= 0) {
            problems.push_back("no box: " + where);
            continue;
        }
        const QRect box(b.left, b.top, b.width, b.height);
        // Without a game area every box would leave it; that one problem is reported above.
        if (!noGameArea && !load.gameArea.contains(box)) {
            problems.push_back("box outside the game area: " + where + " at " +
                               std::to_string(b.left) + "," + std::to_string(b.top) + " " +
                               std::to_string(b.width) + "x" + std::to_string(b.height));
        }
    }
    return problems;
}

} // namespace preview
