#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

#include "manual/manual_geometry.h"

namespace manual {

inline constexpr QSize kManualButtonSize{kManualButtonExtent.width, kManualButtonExtent.height};

// The built-in picture of a button, released or pressed: a blue face with a two-pixel bevel
// and a white glyph, which sits one pixel further right and lower when pressed.
QImage manualButtonPicture(ManualButton button, bool pressed);

// manualButtonPlace in Qt's terms.
QRect manualButtonBox(ManualButton button, QSize client);

} // namespace manual
