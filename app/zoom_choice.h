#pragma once

#include <QSize>

namespace app {

inline constexpr int kMaxZoom = 8;
// The stored or given zoom that asks for the best fit.
inline constexpr int kAutoZoom = 0;

struct ZoomChoice {
    int zoom = 1;
    // A zoom of 1..8 was asked for but the device would not have fitted the screen.
    bool clamped = false;
};

// How many screen pixels one picture pixel takes. "auto" (0, or anything outside 0..8): full
// screen the largest zoom at which the device fits the screen, windowed the largest at which
// it takes at most half the screen's height. An explicit 1..8 is kept unless the device would
// not fit the screen, then the largest that fits. Never below 1.
ZoomChoice chooseZoom(int requested, QSize device, QSize screen, bool fullscreen);

// The zoom one step (`delta` +1 or -1) from `current`, kept within 1 and the largest at which
// the device fits the screen.
int steppedZoom(int current, int delta, QSize device, QSize screen);

} // namespace app
