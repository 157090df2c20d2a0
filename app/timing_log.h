#pragma once

#include <cstdio>
#include <set>
#include <string>
#include <string_view>

namespace app {

// Marks for the timing harness, written only when ZEMBLOR_TIMING_LOG names a file: each line
// a name and a reading of the monotonic clock in nanoseconds (or a figure in microseconds).
class TimingLog {
public:
    static TimingLog& instance();

    // The first mark of each name only.
    void markOnce(std::string_view name);
    void timerLateness(long long microseconds);

private:
    TimingLog();
    ~TimingLog();
    void write(std::string_view name, long long value);

    std::FILE* file_ = nullptr;
    std::set<std::string, std::less<>> marked_;
};

} // namespace app
