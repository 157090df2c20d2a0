#include <optional>
#include <sstream>
#include <streambuf>
#include <string>

#include <benchmark/benchmark.h>

#include "session/runner.h"

namespace {

constexpr device::Millis kHour = 3'600'000;
// The scripted player ignores the game for kLapse of every kAttentionSpan steps.
constexpr long kAttentionSpan = 150;
constexpr long kLapse = 12;

class DiscardBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

session::RunOptions benchOptions() {
    session::RunOptions options;
    options.seed = 1;
    options.clock = session::DateTime{2026, 12, 8, 9, 41, 0};
    return options;
}

// Where the hero should stand for the in-flight item closest to the bottom of its lane,
// or nothing when no item is falling.
std::optional<int> heroTarget(const std::array<std::int32_t, device::kCellCount>& cells) {
    struct Lane {
        int first, bottom, hero;
    };
    constexpr Lane kLanes[] = {{0, 7, 3}, {8, 16, 2}, {17, 23, 1}};
    std::optional<int> target;
    int closest = device::kCellCount;
    for (const Lane& lane : kLanes) {
        for (int i = lane.first; i <= lane.bottom; ++i) {
            if (cells[i] == device::CellInFlight && lane.bottom - i < closest) {
                closest = lane.bottom - i;
                target = lane.hero;
            }
        }
    }
    return target;
}

struct GeneratedScript {
    std::string text;
    int games = 0;
};

// Plays game A for an hour of device time with a simple player that follows the falling
// items, looks away for a few ticks now and then (so games end), and starts a new game after
// each game over, recording what it did as a script.
GeneratedScript playOneHour() {
    DiscardBuffer discard;
    std::ostream sink(&discard);
    session::Runner runner(sink, benchOptions());
    GeneratedScript script;
    auto emit = [&](const std::string& line) {
        runner.runLine(line);
        script.text += line;
        script.text += '\n';
    };
    emit("power");
    emit("tap TIME");
    long steps = 0;
    while (runner.device().now() < kHour) {
        const device::DeviceSnapshot dev = runner.device().snapshot();
        if (dev.mode == device::ModeGameOver || dev.mode <= device::ModeDate) {
            emit("tap GAMEA");
            ++script.games;
        } else if (dev.mode == device::ModeGameA && dev.heroCanMove &&
                   ++steps % kAttentionSpan >= kLapse) {
            if (auto target = heroTarget(dev.cells)) {
                for (int hero = dev.hero; hero < *target; ++hero) {
                    emit("tap RIGHT");
                }
                for (int hero = dev.hero; hero > *target; --hero) {
                    emit("tap LEFT");
                }
            }
        }
        const device::Millis now = runner.device().now();
        const device::Millis next = runner.device().nextDeadline().value_or(now + 1000);
        emit("wait " + std::to_string(std::min(next, kHour) - now));
    }
    return script;
}

void BM_OneHourOfGameAThroughTheRunner(benchmark::State& state) {
    static const GeneratedScript script = playOneHour();
    DiscardBuffer discard;
    std::ostream out(&discard);
    std::ostringstream err;
    for (auto _ : state) {
        std::istringstream in(script.text);
        const int status = session::runScript(in, out, err, benchOptions());
        if (status != 0) {
            state.SkipWithError(err.str().c_str());
            break;
        }
    }
    state.counters["games"] = script.games;
    state.counters["script_bytes"] = static_cast<double>(script.text.size());
}
BENCHMARK(BM_OneHourOfGameAThroughTheRunner)->Unit(benchmark::kMillisecond);

} // namespace
