#include "skin/game_menu_picture.h"

#include <QByteArray>
#include <QFile>

namespace skin {

std::span<const std::uint8_t> gameMenuPng() {
    static const QByteArray bytes = [] {
        QFile file(QStringLiteral(":/skin/game_menu.png"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
            static_cast<std::size_t>(bytes.size())};
}

const Picture& gameMenuPicture() {
    static const Picture picture = [] {
        PictureResult result = decodePng(gameMenuPng());
        // The picture is built into the program and decodes by construction.
        return result.picture
                   ? *result.picture
                   : Picture{QImage(256, 512, QImage::Format_ARGB32), PictureFormat::Png};
    }();
    return picture;
}

} // namespace skin
