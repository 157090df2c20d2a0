#pragma once

#include <cstdint>

namespace bench {

// Heap allocations made through the global operator new since the program started.
std::uint64_t allocationCount();

} // namespace bench
