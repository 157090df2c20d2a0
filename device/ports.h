#pragma once

#include <cstdint>
#include <string_view>

#include "device/segment.h"

// What the device core needs from the world around it. A front end implements these
// and passes them in; the core never reaches out any other way.
namespace device {

// Receives every change of the LCD, so a front end repaints only what changed.
class Display {
public:
    virtual ~Display() = default;
    virtual void segmentShown(Segment segment, bool shown) = 0;
    // A digit position's picture: a digit 0..9, or -1 for the empty picture.
    virtual void digitPicture(Segment position, int digit) = 0;
    // The button pictures' hover hints were rebuilt.
    virtual void hintsChanged() {}
};

enum class Sample : std::uint8_t { Gameover, Got, Miss, Move, Start };
std::string_view sampleName(Sample sample);

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(Sample sample) = 0;
};

// The persistent per-user settings, by value name.
class Settings {
public:
    virtual ~Settings() = default;
    virtual int readInt(std::string_view name, int defaultValue) = 0;
    virtual bool readBool(std::string_view name, bool defaultValue) = 0;
    virtual void writeInt(std::string_view name, int value) = 0;
    virtual void writeBool(std::string_view name, bool value) = 0;
};

struct LocalTime {
    int hour = 0;   // 0..23
    int minute = 0; // 0..59
    int month = 1;  // 1..12
    int day = 1;    // 1..31
};

class LocalClock {
public:
    virtual ~LocalClock() = default;
    virtual LocalTime now() = 0;
};

// Uniform integers 0..3 for the spawn draw; seeded by its owner.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual int draw() = 0;
};

struct Ports {
    Display& display;
    SoundPlayer& sound;
    Settings& settings;
    LocalClock& clock;
    RandomSource& random;
};

} // namespace device
