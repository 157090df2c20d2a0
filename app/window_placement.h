#pragma once

#include <QPoint>

#include "dialogs/centring.h"

namespace app {

// The device's window is centred by the rule every window of the program follows.
using dialogs::centredTopLeft;

// A window drag: the window moves by the pointer's travel since the press, so the pointer
// stays over the same spot of the device.
QPoint draggedWindowPos(QPoint windowAtPress, QPoint pointerAtPress, QPoint pointerNow);

} // namespace app
