#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "device/ports.h"
#include "device/segment.h"
#include "device/stored_text.h"

namespace device {

// Readable names in assertion messages instead of raw enum bytes.
inline void PrintTo(Segment segment, std::ostream* os) {
    *os << segmentName(segment);
}
inline void PrintTo(Sample sample, std::ostream* os) {
    *os << sampleName(sample);
}

} // namespace device

namespace device_test {

using device::Sample;
using device::Segment;

// One change passed to the display: a shown state, or a digit position's picture.
struct DisplayEvent {
    Segment segment;
    bool isDigit;
    int value; // 0 or 1 for a shown state, -1..9 for a digit picture

    bool operator==(const DisplayEvent&) const = default;
};

class RecordingDisplay : public device::Display {
public:
    void segmentShown(Segment segment, bool shown) override {
        events.push_back({segment, false, shown ? 1 : 0});
    }
    void digitPicture(Segment position, int digit) override {
        events.push_back({position, true, digit});
    }
    void hintsChanged() override { ++hintRebuilds; }

    std::vector<DisplayEvent> events;
    int hintRebuilds = 0;
};

class RecordingSound : public device::SoundPlayer {
public:
    void play(Sample sample) override { played.push_back(sample); }

    std::vector<Sample> played;
};

// Settings held as text by name, as the real store holds them, with every write recorded.
class MemorySettings : public device::TextSettings {
public:
    std::optional<std::string> stored(std::string_view name) const {
        auto it = values.find(name);
        if (it == values.end()) {
            return std::nullopt;
        }
        return it->second;
    }

    std::map<std::string, std::string, std::less<>> values;
    std::vector<std::pair<std::string, std::string>> writes;

protected:
    std::optional<std::string> readText(std::string_view name) override { return stored(name); }
    void writeText(std::string_view name, const std::string& text) override {
        values[std::string(name)] = text;
        writes.emplace_back(std::string(name), text);
    }
};

class SettableClock : public device::LocalClock {
public:
    device::LocalTime now() override { return time; }

    device::LocalTime time{10, 15, 6, 15};
};

// Returns the queued values in order, then `fallback`; counts every draw.
class QueuedRandom : public device::RandomSource {
public:
    int draw() override {
        ++draws;
        if (queued.empty()) {
            return fallback;
        }
        const int value = queued.front();
        queued.pop_front();
        return value;
    }

    std::deque<int> queued;
    int fallback = 1; // no spawn unless the field is empty
    int draws = 0;
};

} // namespace device_test
