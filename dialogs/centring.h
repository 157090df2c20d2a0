#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace dialogs {

// Where a window of `window` size starts when centred on `screen`: halves rounded toward zero,
// and one larger than the screen keeps its top-left corner on the screen's own corner. Every
// window of the program is centred by this rule, the device's as well as the dialogs'.
QPoint centredTopLeft(const QRect& screen, QSize window);

// Which corner of a window goes to the point that centres its client area: the client
// area's own, or the frame's (the frame then starts there and the client area lies inside).
enum class Anchor { ClientArea, Frame };

// The position to give QWidget::move(), which places a window's frame, so that `anchor`
// lands on the point that centres a client area of `clientSize` on `screen`; `clientOffset`
// is where the client area lies within the frame (zero without a frame).
QPoint centredMoveTarget(const QRect& screen, QSize clientSize, QPoint clientOffset, Anchor anchor);

} // namespace dialogs
