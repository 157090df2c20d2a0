#include "seeded_random.h"

#include <chrono>

namespace device {

std::uint64_t clockSeed() {
    return static_cast<std::uint64_t>(
        std::chrono::system_clock::now().time_since_epoch().count());
}

} // namespace device
