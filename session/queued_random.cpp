#include "session/queued_random.h"

namespace session {

int QueuedRandom::draw() {
    if (queued_.empty()) {
        return fallback_.draw();
    }
    const int value = queued_.front();
    queued_.pop_front();
    return value;
}

} // namespace session
