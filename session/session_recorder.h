#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

#include "device/device_timers.h"
#include "session/date_time.h"

namespace session {

// Writes the session as a zemblor-headless script: replayed with the same seed and clock,
// it prints the same state, sound and store lines at the same times.
class SessionRecorder {
public:
    explicit SessionRecorder(std::ostream& out) : out_(out) {}

    void header(std::uint64_t seed, const DateTime& clock);
    void store(std::string_view name, std::string_view value);
    // An input (or "power") at core time `at`: the wait since the last line, the command and
    // "show" (the trace prints a state line after each input).
    void event(device::Millis at, std::string_view command);
    // A command without a state line, such as setting the clock.
    void command(device::Millis at, std::string_view command);
    // The session ended at core time `at`: the closing wait, so that a replay runs on to the
    // end and not only to the last input.
    void end(device::Millis at);

private:
    void line(std::string_view text);
    void waitUntil(device::Millis at);

    std::ostream& out_;
    device::Millis last_ = 0;
};

} // namespace session
