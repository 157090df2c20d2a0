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
    if (output_) {
        output_->play(sample);
    }
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
}

int PrintingSettings::readInt(std::string_view name, int defaultValue) {
    return store_.readInt(name, defaultValue);
}

bool PrintingSettings::readBool(std::string_view name, bool defaultValue) {
    return store_.readBool(name, defaultValue);
}

void PrintingSettings::writeInt(std::string_view name, int value) {
    store_.writeInt(name, value);
    print(name, device::formatStoredInt(value));
}

void PrintingSettings::writeBool(std::string_view name, bool value) {
    store_.writeBool(name, value);
    print(name, value ? "1" : "0");
}

void PrintingSettings::print(std::string_view name, std::string_view text) {
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
