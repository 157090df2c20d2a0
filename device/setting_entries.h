#pragma once

#include <array>
#include <string_view>

#include "device/ports.h"

// Every value the program keeps in its settings store: its name and its default, once.
// Whoever reads or writes a value goes through its entry here.
namespace device::setting {

struct IntEntry {
    std::string_view name;
    int defaultValue;
};

struct BoolEntry {
    std::string_view name;
    bool defaultValue;
};

// Key index of each binding, slots GAME A, GAME B, TIME, LEFT, RIGHT: '1', '2', '3', the
// left and the right arrow.
inline constexpr std::array<IntEntry, 5> Keys = {{
    {"Key1", 2},
    {"Key2", 3},
    {"Key3", 4},
    {"Key4", 39},
    {"Key5", 40},
}};
inline constexpr IntEntry HiScore1{"HiScore1", 0};
inline constexpr IntEntry HiScore2{"HiScore2", 0};
// Position in the splash dialog's driver list; -1: none chosen yet.
inline constexpr IntEntry SoundMode{"SoundMode", -1};
inline constexpr BoolEntry SplashScreen{"SplashScreen", true};
inline constexpr BoolEntry FullscreenMode{"FullscreenMode", true};
// How many screen pixels one picture pixel takes, 1..8; 0 ("auto") fits the screen.
inline constexpr IntEntry Zoom{"Zoom", 0};

inline int read(Settings& store, const IntEntry& entry) {
    return store.readInt(entry.name, entry.defaultValue);
}
// A read whose default is not the entry's own (the high scores default to the value held).
inline int read(Settings& store, const IntEntry& entry, int defaultValue) {
    return store.readInt(entry.name, defaultValue);
}
inline bool read(Settings& store, const BoolEntry& entry) {
    return store.readBool(entry.name, entry.defaultValue);
}
inline bool read(Settings& store, const BoolEntry& entry, bool defaultValue) {
    return store.readBool(entry.name, defaultValue);
}
inline void write(Settings& store, const IntEntry& entry, int value) {
    store.writeInt(entry.name, value);
}
inline void write(Settings& store, const BoolEntry& entry, bool value) {
    store.writeBool(entry.name, value);
}

} // namespace device::setting
