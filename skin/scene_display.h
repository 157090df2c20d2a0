#pragma once

#include <QRect>

#include "device/ports.h"
#include "skin/scene.h"
#include "skin/segment_components.h"

namespace skin {

// Shows the device's LCD on the scene: the core's segment changes become shown states of
// the components of the same names, and the area they touch is collected for repainting.
class SceneDisplay : public device::Display {
public:
    explicit SceneDisplay(Scene& scene) : scene_(scene) {}

    void segmentShown(device::Segment segment, bool shown) override;
    void digitPicture(device::Segment position, int digit) override;

    // The area changed since the last call, and forget it.
    QRect takeDirty();

private:
    void touch(Component c);

    Scene& scene_;
    QRect dirty_;
};

} // namespace skin
