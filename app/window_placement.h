#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace app {

// Top-left corner that centres a window on a screen: halves rounded toward zero, never
// left of or above the screen's own corner.
QPoint centredTopLeft(const QRect& screen, QSize window);

// A window drag: the window moves by the pointer's travel since the press, so the pointer
// stays over the same spot of the device.
QPoint draggedWindowPos(QPoint windowAtPress, QPoint pointerAtPress, QPoint pointerNow);

} // namespace app
