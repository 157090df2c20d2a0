#include "app/pause_state.h"

namespace app {

void PausableClock::pause(Nanos real) {
    if (!paused_) {
        paused_ = true;
        pausedAt_ = real;
    }
}

void PausableClock::resume(Nanos real) {
    if (paused_) {
        paused_ = false;
        if (real > pausedAt_) {
            away_ += real - pausedAt_;
        }
    }
}

} // namespace app
