#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

namespace manual {

// The manual window's three buttons: close, previous page and next page.
enum class ManualButton { Close, Left, Right };

inline constexpr QSize kManualButtonSize{16, 14};

// The built-in picture of a button, released or pressed: a blue face with a two-pixel bevel
// and a white glyph, which sits one pixel further right and lower when pressed.
QImage manualButtonPicture(ManualButton button, bool pressed);

// The button's place in a client area of the given size: 4 pixels in from its corner (close
// top right, previous bottom left, next bottom right), so it keeps to that corner.
QRect manualButtonBox(ManualButton button, QSize client);

} // namespace manual
