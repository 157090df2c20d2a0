#pragma once

#include <functional>

#include "device/ports.h"
#include "session/date_time.h"
#include "session/event_log.h"

namespace session {

// A wall clock that reads `base` at virtual time `baseAt` and runs with virtual time.
class VirtualClock : public device::LocalClock {
public:
    VirtualClock(VirtualNow now, const DateTime& base) : now_(std::move(now)), base_(base) {}
    // From now on the clock reads `at` at the current virtual time.
    void set(const DateTime& at);
    DateTime current() const;
    device::LocalTime now() override { return toLocalTime(current()); }

private:
    VirtualNow now_;
    DateTime base_;
    device::Millis baseAt_ = 0;
};

} // namespace session
