#include "session/virtual_clock.h"

namespace session {

void VirtualClock::set(const DateTime& at) {
    base_ = at;
    baseAt_ = now_();
}

DateTime VirtualClock::current() const {
    return addMillis(base_, now_() - baseAt_);
}

} // namespace session
