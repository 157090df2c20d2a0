#include "session/memory_settings.h"

namespace session {

std::optional<std::string> MemorySettings::text(std::string_view name) const {
    auto it = values_.find(name);
    if (it == values_.end()) {
        return std::nullopt;
    }
    return it->second;
}

std::optional<std::string> MemorySettings::readText(std::string_view name) {
    return text(name);
}

void MemorySettings::writeText(std::string_view name, const std::string& text) {
    values_.insert_or_assign(std::string(name), text);
}

} // namespace session
