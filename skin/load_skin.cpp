#include "skin/load_skin.h"

#include <filesystem>

#include "skin/path_case.h"
#include "skin/skin_layout.h"

namespace skin {
namespace {

QColor toQColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

// The window's own properties live in the host (the real window) and in the scene (which
// paints it); both are kept in step here.
class WindowProperties {
public:
    WindowProperties(Scene& scene, SkinHost& host) : scene_(scene), host_(host) {}
    void setClientSize(QSize size) {
        // A skin cannot ask for a window no screen could show, nor one without a pixel to
        // click for the menu.
        size = size.expandedTo(QSize(1, 1)).boundedTo(QSize(kMaxPictureSide, kMaxPictureSide));
        scene_.setClientSize(size);
        host_.setClientSize(size);
    }
    QSize clientSize() const { return scene_.clientSize(); }
    void setBackground(QColor colour) {
        scene_.setBackgroundColour(colour);
        host_.setBackgroundColour(colour);
    }
    void setColourKey(std::optional<QColor> key) {
        scene_.setColourKey(key);
        host_.setColourKey(key);
    }

private:
    Scene& scene_;
    SkinHost& host_;
};

class PictureLoader {
public:
    PictureLoader(Scene& scene, SkinHost& host, SkinLoadReport& report, std::uint64_t budget)
        : scene_(scene), host_(host), report_(report), budget_(budget) {}

    // Loads the file when it exists; false when it does not.
    bool loadIfExists(Component c, const std::string& path) {
        const auto found = findFileIgnoringCase(path);
        if (!found) {
            return false;
        }
        PictureResult result = budget_.load(*found);
        if (result.picture) {
            scene_.setPicture(c, *result.picture);
        } else {
            report_.undecodablePictures.push_back(result.error);
            host_.pictureError(result.error);
            scene_.setPlaceholder(c);
        }
        return true;
    }

    void loadOrPlaceholder(Component c, const std::string& path) {
        if (!loadIfExists(c, path)) {
            report_.missingPictures.push_back(path);
            scene_.setPlaceholder(c);
        }
    }

private:
    Scene& scene_;
    SkinHost& host_;
    SkinLoadReport& report_;
    PictureBudget budget_;
};

void showGameMenuButton(Scene& scene, bool fullscreenOn) {
    scene.setShown(Component::btn_game_menu_top, fullscreenOn);
    scene.setShown(Component::btn_game_menu_background, fullscreenOn);
    Box closed = scene.box(Component::btn_game_menu_background);
    closed.height = 32;
    closed.width = 36;
    scene.setBox(Component::btn_game_menu_background, closed);
}

} // namespace

SkinLoadReport LoadSkin(Scene& scene, SkinHost& host, const std::string& configPath,
                        bool fullscreenOn) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(configPath, ec)) {
        SkinLoadReport report;
        report.configMissing = true;
        host.showError(kConfigMissingText);
        host.requestTerminate();
        showGameMenuButton(scene, fullscreenOn);
        return report;
    }
    return LoadSkin(scene, host, ConfigFile::open(configPath), fullscreenOn);
}

SkinLoadReport LoadSkin(Scene& scene, SkinHost& host, const ConfigFile& config, bool fullscreenOn,
                        std::uint64_t pictureBudget) {
    SkinLoadReport report;
    WindowProperties window(scene, host);
    PictureLoader pictures(scene, host, report, pictureBudget);
    const QSize screen = host.screenSize();
    const SkinLayout layout =
        layOutSkin(config, fullscreenOn, Size{screen.width(), screen.height()});
    report.configuredGameSize =
        QSize(layout.configuredGameSize.width, layout.configuredGameSize.height);
    report.gameArea = toRect(layout.gameArea);

    // The window takes its size step by step as the configuration is read: the height, the
    // width, then full screen the screen's width and height.
    const QSize game = QSize(layout.configuredGameSize.width, layout.configuredGameSize.height);
    window.setClientSize(QSize(window.clientSize().width(), game.height()));
    window.setClientSize(game);
    if (fullscreenOn) {
        if (!layout.backdropPath.empty() &&
            pictures.loadIfExists(Component::im_backdrop, layout.backdropPath)) {
            scene.setBackdropStretch(layout.backdropStretch);
            scene.setShown(Component::im_backdrop, true);
        }
    }
    window.setBackground(toQColor(layout.background));
    window.setColourKey(layout.colourKey ? std::optional(toQColor(*layout.colourKey))
                                         : std::nullopt);
    if (fullscreenOn) {
        window.setClientSize(QSize(screen.width(), window.clientSize().height()));
        window.setClientSize(screen);
        if (!layout.logoPath.empty() &&
            pictures.loadIfExists(Component::im_backdrop_logo, layout.logoPath)) {
            scene.setShown(Component::im_backdrop_logo, true);
            const Box current = scene.box(Component::im_backdrop_logo);
            scene.setBox(Component::im_backdrop_logo,
                         logoBox(layout.logoPosition, Size{screen.width(), screen.height()},
                                 Size{current.width, current.height}, current));
        }
    } else {
        scene.setShown(Component::im_backdrop, false);
        scene.setShown(Component::im_backdrop_logo, false);
    }

    for (const ImagePlacement& image : layout.images) {
        if (!image.picturePath.empty()) {
            pictures.loadOrPlaceholder(image.component, image.picturePath);
        }
        scene.setBox(image.component, image.box);
    }

    showGameMenuButton(scene, fullscreenOn);
    return report;
}

} // namespace skin
