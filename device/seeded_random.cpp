#include "device/seeded_random.h"

#include <charconv>
#include <chrono>

namespace device {

std::uint64_t clockSeed() {
    return static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

std::optional<std::uint64_t> parseSeed(std::string_view text) {
    std::uint64_t value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value, 10);
    if (text.empty() || ec != std::errc{} || ptr != end) {
        return std::nullopt;
    }
    return value;
}

} // namespace device
