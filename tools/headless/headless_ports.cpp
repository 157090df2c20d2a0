#include "headless_ports.h"

#include "json_text.h"

namespace headless {

void EventLog::write(std::string_view fields) {
    std::string line = "{\"t\":" + std::to_string(now());
    line += fields;
    line += "}\n";
    out_ << line;
}

void PrintingSound::play(device::Sample sample) {
    std::string fields = ",\"sound\":";
    appendJsonString(fields, device::sampleName(sample));
    log_.write(fields);
}

void MemorySettings::preload(std::string_view name, std::string text) {
    values_.insert_or_assign(std::string(name), std::move(text));
}

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
    std::string fields = ",\"store\":";
    appendJsonString(fields, name);
    fields += ",\"value\":";
    appendJsonString(fields, text);
    log_.write(fields);
}

void VirtualClock::set(const DateTime& at) {
    base_ = at;
    baseAt_ = now_();
}

DateTime VirtualClock::current() const {
    return addMillis(base_, now_() - baseAt_);
}

int QueuedRandom::draw() {
    if (queued_.empty()) {
        return fallback_.draw();
    }
    const int value = queued_.front();
    queued_.pop_front();
    return value;
}

} // namespace headless
