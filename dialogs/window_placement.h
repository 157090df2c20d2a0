#pragma once

#include "dialogs/centring.h"

class QWidget;

namespace dialogs {

// Moves a window so that `anchor` (its client area's corner or its frame's) lands where its
// client area is centred on the primary screen; without a screen it stays where it is.
void centreOnPrimaryScreen(QWidget& window, Anchor anchor);

// Window managers keep `window` above `owner`, full screen or not. `window` stays a separate
// top-level widget, so disabling `owner` leaves it working. `owner`'s window must exist.
void setTransientParent(QWidget& window, QWidget& owner);

} // namespace dialogs
