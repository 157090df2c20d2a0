#pragma once

#include <QIcon>

#include "skin/scene.h"

namespace app {

// The program's icon: the skin's device face, see-through where the device is, scaled down.
QIcon deviceIcon(const skin::Scene& scene);

} // namespace app
