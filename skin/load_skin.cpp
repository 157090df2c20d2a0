#include "skin/load_skin.h"

#include <algorithm>
#include <filesystem>

#include "skin/box_bounds.h"
#include "skin/config_values.h"
#include "skin/path_case.h"

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
        : scene_(scene), host_(host), report_(report), budgetLeft_(budget) {}

    // Loads the file when it exists; false when it does not.
    bool loadIfExists(Component c, const std::string& path) {
        const auto found = findFileIgnoringCase(path);
        if (!found) {
            return false;
        }
        PictureResult result = loadPictureFile(*found, budgetLeft_);
        if (result.picture) {
            const QImage& image = result.picture->image;
            budgetLeft_ -=
                std::min(budgetLeft_, decodedBytes(static_cast<std::uint64_t>(image.width()),
                                                   static_cast<std::uint64_t>(image.height())));
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
    std::uint64_t budgetLeft_;
};

void layOutFullscreen(const ConfigFile& config, Scene& scene, SkinHost& host,
                      WindowProperties& window, PictureLoader& pictures, QSize game,
                      QPoint& offset) {
    const std::string backdropDir =
        skinFolder(config.readText("Fullscreen", "BackdropDir", "Graphics\\Backdrops\\"));
    const std::string backdropFile = config.readText("Fullscreen", "BackdropFile", "nil");
    if (namesPicture(backdropFile) &&
        pictures.loadIfExists(Component::im_backdrop, joinPath(backdropDir, backdropFile))) {
        scene.setBackdropStretch(config.readInt("Fullscreen", "BackdropStretch", 0) != 0);
        scene.setShown(Component::im_backdrop, true);
    }

    window.setBackground(toQColor(
        parseSkinColour(config.readText("Fullscreen", "BgColor", "$00000000"), "$00000000")));
    window.setColourKey(std::nullopt);

    const QSize screen = host.screenSize();
    offset.setX(skinOffset(config.readText("Fullscreen", "GameOffsetX", "Center"))
                    .value_or((screen.width() - game.width()) / 2));
    offset.setY(skinOffset(config.readText("Fullscreen", "GameOffsetY", "Center"))
                    .value_or((screen.height() - game.height()) / 2));

    window.setClientSize(QSize(screen.width(), window.clientSize().height()));
    window.setClientSize(screen);

    const std::string logoFile = config.readText("Fullscreen", "LogoFile", "nil");
    if (namesPicture(logoFile) &&
        pictures.loadIfExists(Component::im_backdrop_logo, joinPath(backdropDir, logoFile))) {
        scene.setShown(Component::im_backdrop_logo, true);
        Box logo = scene.box(Component::im_backdrop_logo);
        const int w = screen.width();
        const int h = screen.height();
        switch (config.readInt("Fullscreen", "LogoPosition", 1)) {
        case 0:
            logo.left = 0;
            logo.top = 0;
            break;
        case 1:
            logo.left = w - logo.width;
            logo.top = 0;
            break;
        case 2:
            logo.left = 0;
            logo.top = h - logo.height;
            break;
        case 3:
            logo.left = w - logo.width;
            logo.top = h - logo.height;
            break;
        default:
            break;
        }
        scene.setBox(Component::im_backdrop_logo, logo);
    }
}

void layOutWindowed(const ConfigFile& config, Scene& scene, WindowProperties& window) {
    const QColor key = toQColor(
        parseSkinColour(config.readText("VideoMode", "TranspColor", "$00ff00ff"), "$00ff00ff"));
    window.setBackground(key);
    window.setColourKey(key);
    scene.setShown(Component::im_backdrop, false);
    scene.setShown(Component::im_backdrop_logo, false);
}

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

    const std::string skinDir =
        skinFolder(config.readText("Common", "SkinDir", "Graphics\\Skin\\"));
    const int gameHeight = config.readInt("Common", "GameHeight", 372);
    window.setClientSize(QSize(window.clientSize().width(), gameHeight));
    const int gameWidth = config.readInt("Common", "GameWidth", 560);
    window.setClientSize(QSize(gameWidth, gameHeight));

    report.configuredGameSize = QSize(gameWidth, gameHeight);
    // The game area itself may be empty; only the window keeps a pixel.
    const QSize gameSize = report.configuredGameSize.expandedTo(QSize(0, 0))
                               .boundedTo(QSize(kMaxPictureSide, kMaxPictureSide));
    QPoint offset(0, 0);
    if (fullscreenOn) {
        layOutFullscreen(config, scene, host, window, pictures, gameSize, offset);
    } else {
        layOutWindowed(config, scene, window);
    }
    report.gameArea =
        toRect(boundedBox(offset.x(), offset.y(), gameSize.width(), gameSize.height()));

    for (int n = 1; n <= kSkinImageCount; ++n) {
        const std::string section = "Image" + std::to_string(n);
        const Component c = skinImage(n);
        const std::string fileName = config.readText(section, "Filename", "");
        if (namesPicture(fileName)) {
            pictures.loadOrPlaceholder(c, joinPath(skinDir, fileName));
        }
        // Any integer the file holds, plus any offset, is a box: the sums are taken in 64 bits.
        const std::int64_t height = config.readInt(section, "Height", 0);
        const std::int64_t left = std::int64_t{config.readInt(section, "Left", 0)} + offset.x();
        const std::int64_t top = std::int64_t{config.readInt(section, "Top", 0)} + offset.y();
        const std::int64_t width = config.readInt(section, "Width", 0);
        scene.setBox(c, boundedBox(left, top, width, height));
    }

    showGameMenuButton(scene, fullscreenOn);
    return report;
}

} // namespace skin
