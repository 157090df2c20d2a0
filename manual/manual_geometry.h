#pragma once

// Where the manual window's buttons lie, in plain numbers every front end can use.
namespace manual {

// The manual window's three buttons: close, previous page and next page.
enum class ManualButton { Close, Left, Right };

struct ManualPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ManualPoint&) const = default;
};

struct ManualSize {
    int width = 0;
    int height = 0;
    bool operator==(const ManualSize&) const = default;
};

struct ManualBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const ManualBox&) const = default;

    bool contains(ManualPoint p) const {
        return p.x >= left && p.x < left + width && p.y >= top && p.y < top + height;
    }
};

inline constexpr ManualSize kManualButtonExtent{16, 14};

// The button's place in a client area of the given size: 4 pixels in from its corner (close
// top right, previous bottom left, next bottom right), so it keeps to that corner.
ManualBox manualButtonPlace(ManualButton button, ManualSize client);

} // namespace manual
