#include "app/window_placement.h"

namespace app {

QPoint draggedWindowPos(QPoint windowAtPress, QPoint pointerAtPress, QPoint pointerNow) {
    return windowAtPress + (pointerNow - pointerAtPress);
}

} // namespace app
