#include <array>

#include <benchmark/benchmark.h>

#include "bench/alloc_counter.h"
#include "device/device.h"
#include "device/stored_text.h"
#include "tests/device/play.h"

namespace {

struct NullDisplay : device::Display {
    void segmentShown(device::Segment, bool) override {}
    void digitPicture(device::Segment, int) override {}
};

struct NullSound : device::SoundPlayer {
    void play(device::Sample) override {}
};

struct NullSettings : device::TextSettings {
    std::optional<std::string> readText(std::string_view) override { return std::nullopt; }
    void writeText(std::string_view, const std::string&) override {}
};

struct FixedClock : device::LocalClock {
    device::LocalTime now() override { return {9, 41, 12, 8}; }
};

// Spawns an item whenever the level's cap allows, so the field stays as full as play makes it.
struct AlwaysSpawn : device::RandomSource {
    int draw() override { return 0; }
};

// A tick of game A in play, with the hero placed before it so that every item is caught:
// the game never ends and the score runs through every level, up to five items in flight.
void BM_GameTickInPlay(benchmark::State& state) {
    NullDisplay display;
    NullSound sound;
    NullSettings settings;
    FixedClock clock;
    AlwaysSpawn random;
    device::Device dev(device::Ports{display, sound, settings, clock, random});
    dev.startUp();
    dev.powerOn();
    dev.press(device::Button::GameA); // all segments -> clock
    dev.release(device::Button::GameA);
    dev.press(device::Button::GameA); // clock -> game A ready
    dev.release(device::Button::GameA);
    dev.advance(1500);
    if (dev.snapshot().mode != device::ModeGameA) {
        state.SkipWithError("game A did not start");
        return;
    }

    const std::uint64_t allocationsBefore = bench::allocationCount();
    for (auto _ : state) {
        const device::DeviceSnapshot s = dev.snapshot();
        const int hero = device_test::heroFor(s, device_test::kCatchAll);
        for (int at = s.hero; at < hero; ++at) {
            dev.press(device::Button::Right);
            dev.release(device::Button::Right);
        }
        for (int at = s.hero; at > hero; --at) {
            dev.press(device::Button::Left);
            dev.release(device::Button::Left);
        }
        dev.advance(dev.timers().interval(device::TimerId::Timer_Game));
    }
    const auto allocations = static_cast<double>(bench::allocationCount() - allocationsBefore);
    state.counters["allocs_per_tick"] =
        benchmark::Counter(allocations, benchmark::Counter::kAvgIterations);
    state.counters["misses"] = dev.snapshot().misses;
}
BENCHMARK(BM_GameTickInPlay);

} // namespace
