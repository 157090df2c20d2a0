#include "session/core_timeline.h"

namespace session {

device::Millis CoreTimeline::coreTimeAt(Nanos now, std::optional<device::Millis> pendingDeadline) {
    device::Millis t = std::chrono::floor<std::chrono::milliseconds>(now - origin_).count();
    if (pendingDeadline && t - *pendingDeadline > kGapMs) {
        origin_ += std::chrono::milliseconds(t - *pendingDeadline);
        t = *pendingDeadline;
    }
    return t;
}

} // namespace session
