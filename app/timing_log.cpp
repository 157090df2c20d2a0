#include "app/timing_log.h"

#include <chrono>
#include <cstdlib>
#include <string>

namespace app {

TimingLog& TimingLog::instance() {
    static TimingLog log;
    return log;
}

TimingLog::TimingLog() {
    if (const char* path = std::getenv("ZEMBLOR_TIMING_LOG"); path && *path) {
        file_ = std::fopen(path, "a");
    }
}

TimingLog::~TimingLog() {
    if (file_) {
        std::fclose(file_);
    }
}

void TimingLog::write(std::string_view name, long long value) {
    std::fprintf(file_, "%.*s %lld\n", static_cast<int>(name.size()), name.data(), value);
    std::fflush(file_);
}

void TimingLog::markOnce(std::string_view name) {
    if (!file_) {
        return;
    }
    if (!marked_.emplace(name).second) {
        return;
    }
    write(name, std::chrono::duration_cast<std::chrono::nanoseconds>(
                    std::chrono::steady_clock::now().time_since_epoch())
                    .count());
}

void TimingLog::timerLateness(long long microseconds) {
    if (file_) {
        write("timer-late-us", microseconds);
    }
}

} // namespace app
