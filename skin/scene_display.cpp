#include "skin/scene_display.h"

#include "skin/segment_components.h"

namespace skin {
void SceneDisplay::touch(Component c) {
    if (scene_.isShown(c)) {
        dirty_ |= scene_.paintRect(c);
    }
}

void SceneDisplay::segmentShown(device::Segment segment, bool shown) {
    const Component c = componentForSegment(segment);
    touch(c);
    scene_.setShown(c, shown);
    touch(c);
}

void SceneDisplay::digitPicture(device::Segment position, int digit) {
    const Component c = componentForSegment(position);
    touch(c);
    if (digit >= 0 && digit <= 9) {
        // A digit position shows a copy of the picture its digit's holder has.
        const Component holder = componentForSegment(device::numberSegment(digit));
        if (scene_.picture(holder)) {
            scene_.setPicture(c, *scene_.picture(holder));
        } else {
            scene_.clearPicture(c);
        }
    } else {
        scene_.clearPicture(c);
    }
    touch(c);
}

QRect SceneDisplay::takeDirty() {
    const QRect dirty = dirty_;
    dirty_ = QRect();
    return dirty;
}

} // namespace skin
