#pragma once

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include <QImage>
#include <unistd.h>

#include "skin/skin_host.h"
#include "tests/skin/picture_builders.h"

namespace skin::test {

// A skin folder in a temporary directory, with Config.ini and picture files.
class TestSkin {
public:
    TestSkin()
        : root_(
              std::filesystem::temp_directory_path() /
              ("zemblor-skin-" + std::to_string(::getpid()) + "-" + std::to_string(counter()++))) {
        std::filesystem::create_directories(root_ / "skin");
        std::filesystem::create_directories(root_ / "backdrops");
    }
    ~TestSkin() { std::filesystem::remove_all(root_); }

    std::string configPath() const { return (root_ / "Config.ini").string(); }
    std::string skinDir() const { return (root_ / "skin").string() + "/"; }
    std::string backdropDir() const { return (root_ / "backdrops").string() + "/"; }

    // Config.ini with SkinDir and BackdropDir pointing into this folder, then `rest`.
    void writeConfig(const std::string& common, const std::string& rest) const {
        std::ofstream out(configPath());
        out << "[Common]\nSkinDir=" << skinDir() << "\n"
            << common << "\n[Fullscreen]\nBackdropDir=" << backdropDir() << "\n"
            << rest;
    }
    void savePicture(const std::string& folder, const std::string& name, const QImage& image,
                     const char* format) const {
        image.save(QString::fromStdString((root_ / folder / name).string()), format);
    }
    void saveBytes(const std::string& folder, const std::string& name, const Bytes& bytes) const {
        std::ofstream out(root_ / folder / name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }

private:
    static int& counter() {
        static int n = 0;
        return n;
    }
    std::filesystem::path root_;
};

inline QImage solid(int w, int h, QColor colour) {
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

class RecordingHost : public SkinHost {
public:
    QSize screenSize() const override { return screen; }
    void setClientSize(QSize size) override { clientSizes.push_back(size); }
    void setBackgroundColour(QColor colour) override { background = colour; }
    void setColourKey(std::optional<QColor> key) override { colourKey = key; }
    void showError(const std::string& text) override { errors.push_back(text); }
    void requestTerminate() override { terminateRequested = true; }
    void pictureError(const std::string& text) override { pictureErrors.push_back(text); }

    QSize screen{1366, 768};
    std::vector<QSize> clientSizes;
    QColor background;
    std::optional<QColor> colourKey;
    std::vector<std::string> errors;
    std::vector<std::string> pictureErrors;
    bool terminateRequested = false;
};

} // namespace skin::test
