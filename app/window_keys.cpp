#include "app/window_keys.h"

#include <QKeyEvent>

namespace app {

std::optional<WindowCommand> windowCommandFor(const QKeyEvent& key) {
    switch (key.key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal: // the main row's + key, unshifted on many layouts
        return WindowCommand::ZoomIn;
    case Qt::Key_Minus:
        return WindowCommand::ZoomOut;
    case Qt::Key_Pause:
        return WindowCommand::Pause;
    default:
        return std::nullopt;
    }
}

bool FirstPresses::press(std::uint32_t physical, bool autoRepeat) {
    const bool first = held_.insert(physical).second;
    return first && !autoRepeat;
}

void FirstPresses::release(std::uint32_t physical, bool autoRepeat) {
    if (!autoRepeat) {
        held_.erase(physical);
    }
}

} // namespace app
