#include "app/window_icon.h"

namespace app {

QIcon deviceIcon(const skin::Scene& scene) {
    const auto& face = scene.picture(skin::Component::im_background);
    if (!face || face->image.isNull()) {
        return QIcon();
    }
    const QImage image = face->format == skin::PictureFormat::Bitmap
                             ? skin::keyOutBottomLeft(face->image)
                             : face->image;
    QIcon icon;
    for (int side : {16, 32, 64, 128}) {
        icon.addPixmap(QPixmap::fromImage(
            image.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    }
    return icon;
}

} // namespace app
