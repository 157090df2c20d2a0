#include "session/event_log.h"

#include <string>

#include "device/stored_text.h"
#include "session/json_text.h"

namespace session {

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

} // namespace session
