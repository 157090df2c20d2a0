#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "date_time.h"
#include "device/ports.h"
#include "device/seeded_random.h"
#include "device/stored_text.h"

// The device's outward needs as the headless runner provides them: events printed as JSON
// lines stamped with the device's virtual time, everything else in memory.
namespace headless {

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

class NullDisplay : public device::Display {
public:
    void segmentShown(device::Segment, bool) override {}
    void digitPicture(device::Segment, int) override {}
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

// Settings kept in memory as text by name, for runs without a settings file.
class MemorySettings : public device::TextSettings {
public:
    std::optional<std::string> text(std::string_view name) const;

protected:
    std::optional<std::string> readText(std::string_view name) override;
    void writeText(std::string_view name, const std::string& text) override;

private:
    std::map<std::string, std::string, std::less<>> values_;
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

// A wall clock that reads `base` at virtual time `baseAt` and runs with virtual time.
class VirtualClock : public device::LocalClock {
public:
    VirtualClock(VirtualNow now, const DateTime& base) : now_(std::move(now)), base_(base) {}
    // From now on the clock reads `at` at the current virtual time.
    void set(const DateTime& at);
    DateTime current() const;
    device::LocalTime now() override { return toLocalTime(current()); }

private:
    VirtualNow now_;
    DateTime base_;
    device::Millis baseAt_ = 0;
};

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

} // namespace headless
