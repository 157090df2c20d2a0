#include "shell/key_tracker.h"

#include <algorithm>

namespace shell {

std::optional<std::uint16_t> KeyTracker::press(std::uint32_t physical,
                                               std::optional<std::uint16_t> code) {
    const auto it = held_.find(physical);
    if (it != held_.end()) {
        // A repeat (or a press whose release was lost) keeps the code of the first press.
        return it->second.code;
    }
    if (!code) {
        return std::nullopt;
    }
    held_.emplace(physical, Held{*code, pressCount_++});
    return code;
}

std::optional<std::uint16_t> KeyTracker::release(std::uint32_t physical, bool autoRepeat) {
    if (autoRepeat) {
        return std::nullopt;
    }
    const auto it = held_.find(physical);
    if (it == held_.end()) {
        return std::nullopt;
    }
    const std::uint16_t code = it->second.code;
    held_.erase(it);
    return code;
}

std::vector<std::uint16_t> KeyTracker::releaseAll() {
    std::vector<Held> keys;
    for (const auto& [physical, held] : held_) {
        keys.push_back(held);
    }
    held_.clear();
    std::sort(keys.begin(), keys.end(),
              [](const Held& a, const Held& b) { return a.order < b.order; });
    std::vector<std::uint16_t> codes;
    for (const Held& h : keys) {
        codes.push_back(h.code);
    }
    return codes;
}

} // namespace shell
