#pragma once

#include <QImage>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace manual::test {

// A Config.ini and a folder of manual pages in a temporary directory.
class TempBook {
public:
    TempBook() { std::filesystem::create_directories(root_ / "pages"); }
    ~TempBook() { std::filesystem::remove_all(root_); }

    std::filesystem::path root() const { return root_; }
    std::string configPath() const { return (root_ / "Config.ini").string(); }
    // The folder written without its closing separator, names in other letter cases.
    void writeConfig(const std::string& sizes) const {
        std::ofstream(configPath()) << "[manual]\nmanualdir=" << (root_ / "pages").string() << "\n"
                                    << sizes;
    }
    void savePage(const std::string& name, QColor colour, QSize size = {600, 400}) const {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        image.save(QString::fromStdString((root_ / "pages" / name).string()), "BMP");
    }
    static QColor pageColour(int p) { return QColor(20 * p, 200 - 10 * p, 100); }

private:
    inline static int count_ = 0;
    std::filesystem::path root_ =
        std::filesystem::temp_directory_path() /
        ("zemblor-manual-" + std::to_string(::getpid()) + "-" + std::to_string(count_++));
};

} // namespace manual::test
