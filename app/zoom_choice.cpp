#include "app/zoom_choice.h"

#include <algorithm>

#include "device/setting_entries.h"

namespace app {
namespace {

constexpr device::setting::Range kStoredZooms = device::setting::Zoom.range;
static_assert(kStoredZooms.min == kAutoZoom && kStoredZooms.max == kMaxZoom);

// The largest zoom, 1..8, at which `device` fits within `room`; 1 if none does.
int largestFitting(QSize device, QSize room) {
    if (device.width() <= 0 || device.height() <= 0) {
        return 1;
    }
    const int across = room.width() / device.width();
    const int down = room.height() / device.height();
    return std::clamp(std::min(across, down), 1, kStoredZooms.max);
}

} // namespace

ZoomChoice chooseZoom(int requested, QSize device, QSize screen, bool fullscreen) {
    const int fitting = largestFitting(device, screen);
    if (requested == kAutoZoom || !kStoredZooms.contains(requested)) {
        if (fullscreen) {
            return {fitting, false};
        }
        return {
            std::min(fitting, largestFitting(device, QSize(screen.width(), screen.height() / 2))),
            false};
    }
    if (requested > fitting) {
        return {fitting, true};
    }
    return {requested, false};
}

int steppedZoom(int current, int delta, QSize device, QSize screen) {
    return std::clamp(current + delta, 1, largestFitting(device, screen));
}

} // namespace app
