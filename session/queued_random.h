#pragma once

#include <cstdint>
#include <deque>

#include "device/ports.h"
#include "device/seeded_random.h"

namespace session {

// Queued draws first, then the seeded generator.
class QueuedRandom : public device::RandomSource {
public:
    explicit QueuedRandom(std::uint64_t seed) : fallback_(seed) {}
    void queue(int value) { queued_.push_back(value); }
    int draw() override;

private:
    std::deque<int> queued_;
    device::SeededRandom fallback_;
};

} // namespace session
