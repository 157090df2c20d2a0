#include "dialogs/dialog_pictures.h"

#include <QFile>

#include <cstdint>
#include <span>

#include "skin/picture.h"

namespace dialogs {

QImage dialogPicture(const QString& fileName) {
    QFile file(QStringLiteral(":/dialogs/") + fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray bytes = file.readAll();
    // Decoded like every other picture of the program, not by Qt's own readers.
    const skin::PictureResult result = skin::decodePng(
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                      static_cast<std::size_t>(bytes.size())));
    return result.picture ? result.picture->image : QImage();
}

} // namespace dialogs
