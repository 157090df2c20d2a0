#include "session/core_timeline.h"

namespace session {

device::Millis CoreTimeline::coreTimeAt(Nanos now, std::optional<device::Millis> pendingDeadline) {
    device::Millis t = std::chrono::floor<std::chrono::milliseconds>(now - origin_).count();
    if (pendingDeadline && t - *pendingDeadline > kGapMs) {
        origin_ += std::chrono::milliseconds(t - *pendingDeadline);
        t = *pendingDeadline;
        gapDropped_ = true;
    }
    return t;
}

bool CoreTimeline::wallClockDue(Nanos monotonicNow, Nanos realtimeNow) {
    const Nanos offset = realtimeNow - monotonicNow;
    const long long minute = std::chrono::floor<std::chrono::minutes>(realtimeNow).count();
    const bool due = !wallOffset_ || gapDropped_ || minute != wallMinute_ ||
                     std::chrono::abs(offset - *wallOffset_) >= std::chrono::seconds(1);
    if (due) {
        wallOffset_ = offset;
        wallMinute_ = minute;
        gapDropped_ = false;
    }
    return due;
}

} // namespace session
