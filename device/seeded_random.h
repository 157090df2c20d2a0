#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string_view>

#include "device/ports.h"

namespace device {

// The spawn draw's generator: uniform 0..3 from a seed, so a run can be replayed.
class SeededRandom : public RandomSource {
public:
    explicit SeededRandom(std::uint64_t seed) : engine_(seed) {}
    int draw() override { return static_cast<int>(engine_() % 4u); }

private:
    std::mt19937_64 engine_;
};

// A seed from the system clock, for runs that need not be replayed.
std::uint64_t clockSeed();

// A seed as given on a command line: decimal, 0..2^64-1.
std::optional<std::uint64_t> parseSeed(std::string_view text);

} // namespace device
