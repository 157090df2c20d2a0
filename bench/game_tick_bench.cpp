#include <array>

#include <benchmark/benchmark.h>

#include "bench/alloc_counter.h"
#include "device/device.h"
#include "device/seeded_random.h"
#include "device/stored_text.h"

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

// Every cell occupied, the three bottom cells holding caught items, so no tick finds a miss.
constexpr std::array<std::int32_t, device::kCellCount> kFullField = [] {
    std::array<std::int32_t, device::kCellCount> cells{};
    cells.fill(device::CellInFlight);
    cells[7] = cells[16] = cells[23] = device::CellHeld;
    return cells;
}();

// The hero position under the stretch that moves on `phase`, so every arrival is caught.
constexpr std::int32_t catchingHero(std::int32_t phase) {
    switch (phase) {
    case 1:
    case 4:
        return 3;
    case 2:
    case 5:
        return 1;
    default:
        return 2;
    }
}

void BM_GameTickFullField(benchmark::State& state) {
    NullDisplay display;
    NullSound sound;
    NullSettings settings;
    FixedClock clock;
    device::SeededRandom random(1);
    device::Device dev(device::Ports{display, sound, settings, clock, random});
    dev.startUp();
    dev.powerOn();
    dev.press(device::Button::GameA); // all segments -> clock
    dev.release(device::Button::GameA);
    dev.press(device::Button::GameA); // clock -> game A ready
    dev.release(device::Button::GameA);
    dev.advance(1500);
    if (dev.DeviceMode != device::ModeGameA) {
        state.SkipWithError("game A did not start");
        return;
    }

    const std::uint64_t allocationsBefore = bench::allocationCount();
    for (auto _ : state) {
        // Refilled each tick, as the field drains: points leave it and the cap stops spawns.
        // The copy costs a few nanoseconds; BM_RefillOnly measures it alone.
        dev.ItemCells = kFullField;
        dev.MaxItems = device::kCellCount + 1;
        dev.HeroPos = catchingHero(dev.TickPhase);
        dev.Timer_GameTimer();
        benchmark::DoNotOptimize(dev.ItemCells.data());
    }
    const auto allocations = static_cast<double>(bench::allocationCount() - allocationsBefore);
    state.counters["allocs_per_tick"] =
        benchmark::Counter(allocations, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_GameTickFullField);

void BM_RefillOnly(benchmark::State& state) {
    std::array<std::int32_t, device::kCellCount> cells{};
    std::int32_t maxItems = 0;
    std::int32_t phase = 1;
    std::int32_t hero = 0;
    for (auto _ : state) {
        cells = kFullField;
        maxItems = device::kCellCount + 1;
        hero = catchingHero(phase);
        phase = phase % 6 + 1;
        benchmark::DoNotOptimize(cells.data());
        benchmark::DoNotOptimize(maxItems);
        benchmark::DoNotOptimize(hero);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RefillOnly);

} // namespace
