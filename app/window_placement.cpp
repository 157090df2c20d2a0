#include "app/window_placement.h"

#include <algorithm>

namespace app {

QPoint centredTopLeft(const QRect& screen, QSize window) {
    const int left = std::max(0, (screen.width() - window.width()) / 2);
    const int top = std::max(0, (screen.height() - window.height()) / 2);
    return screen.topLeft() + QPoint(left, top);
}

QPoint draggedWindowPos(QPoint windowAtPress, QPoint pointerAtPress, QPoint pointerNow) {
    return windowAtPress + (pointerNow - pointerAtPress);
}

} // namespace app
