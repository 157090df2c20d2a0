#include "game_menu_picture.h"

namespace skin {

const Picture& gameMenuPicture() {
    static const Picture picture = [] {
        PictureResult result = decodePng(gameMenuPng());
        // The embedded file is part of the build and decodes by construction.
        return result.picture ? *result.picture : Picture{QImage(256, 512, QImage::Format_ARGB32), PictureFormat::Png};
    }();
    return picture;
}

} // namespace skin
