#include "dialogs/centring.h"

#include <algorithm>

namespace dialogs {

QPoint centredTopLeft(const QRect& screen, QSize window) {
    const int left = std::max(0, (screen.width() - window.width()) / 2);
    const int top = std::max(0, (screen.height() - window.height()) / 2);
    return screen.topLeft() + QPoint(left, top);
}

QPoint centredMoveTarget(const QRect& screen, QSize clientSize, QPoint clientOffset,
                         Anchor anchor) {
    const QPoint centred = centredTopLeft(screen, clientSize);
    return anchor == Anchor::ClientArea ? centred - clientOffset : centred;
}

} // namespace dialogs
