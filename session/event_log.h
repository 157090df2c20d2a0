#pragma once

#include <functional>
#include <ostream>
#include <string_view>

#include "device/device_timers.h"
#include "device/ports.h"

// What the device does, as the runner prints it and the program traces it: JSON lines
// stamped with the device's time.
namespace session {

using VirtualNow = std::function<device::Millis()>;

// Writes one JSON object per line, each starting with the virtual time "t".
class EventLog {
public:
    EventLog(std::ostream& out, VirtualNow now) : out_(out), now_(std::move(now)) {}

    device::Millis now() const { return now_(); }
    // `fields` is the rest of the object after "t", starting with a comma.
    void write(std::string_view fields);

private:
    std::ostream& out_;
    VirtualNow now_;
};

// Prints every play request, then passes it on to a real output when there is one.
class PrintingSound : public device::SoundPlayer {
public:
    PrintingSound(EventLog& log, device::SoundPlayer* output) : log_(log), output_(output) {}
    void play(device::Sample sample) override;

private:
    EventLog& log_;
    device::SoundPlayer* output_;
};

// Prints every write, with the text it stores, on its way to the store.
class PrintingSettings : public device::Settings {
public:
    PrintingSettings(EventLog& log, device::Settings& store) : log_(log), store_(store) {}
    int readInt(std::string_view name, int defaultValue) override;
    bool readBool(std::string_view name, bool defaultValue) override;
    void writeInt(std::string_view name, int value) override;
    void writeBool(std::string_view name, bool value) override;

private:
    void print(std::string_view name, std::string_view text);

    EventLog& log_;
    device::Settings& store_;
};

} // namespace session
