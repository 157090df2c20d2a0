#include "session/session_recorder.h"

namespace session {

void SessionRecorder::line(std::string_view text) {
    out_ << text << '\n';
    out_.flush();
}

void SessionRecorder::header(std::uint64_t seed, const DateTime& clock) {
    line("# zemblor session; replay: zemblor-headless --seed " + std::to_string(seed) +
         " --clock \"" + session::formatDateTime(clock) + "\" FILE");
}

void SessionRecorder::store(std::string_view name, std::string_view value) {
    line("store " + std::string(name) + " " + std::string(value));
}

void SessionRecorder::waitUntil(device::Millis at) {
    if (at > last_) {
        line("wait " + std::to_string(at - last_));
        last_ = at;
    }
}

void SessionRecorder::command(device::Millis at, std::string_view command) {
    waitUntil(at);
    line(command);
}

void SessionRecorder::end(device::Millis at) {
    waitUntil(at);
}

void SessionRecorder::event(device::Millis at, std::string_view command) {
    this->command(at, command);
    line("show");
}

} // namespace session
