#pragma once

#include <array>
#include <string_view>

#include "device/key_table.h"
#include "device/ports.h"

// Every value the program keeps in its settings store: its name, its default and the values
// it may take, once. Whoever reads, writes or checks a value goes through its entry here.
namespace device::setting {

struct Range {
    int min;
    int max;

    constexpr bool contains(int value) const { return value >= min && value <= max; }
};

struct IntEntry {
    std::string_view name;
    int defaultValue;
    Range range;
};

struct BoolEntry {
    std::string_view name;
    bool defaultValue;
    // The stored form of a boolean.
    static constexpr Range range{0, 1};
};

// Key index of each binding, slots GAME A, GAME B, TIME, LEFT, RIGHT: '1', '2', '3', the
// left and the right arrow.
inline constexpr Range kKeyIndexes{1, kKeyCount};
inline constexpr std::array<IntEntry, kBindingCount> Keys = {{
    {"Key1", 2, kKeyIndexes},
    {"Key2", 3, kKeyIndexes},
    {"Key3", 4, kKeyIndexes},
    {"Key4", 39, kKeyIndexes},
    {"Key5", 40, kKeyIndexes},
}};
// What the four digits can show.
inline constexpr IntEntry HiScore1{"HiScore1", 0, {0, 9999}};
inline constexpr IntEntry HiScore2{"HiScore2", 0, {0, 9999}};
// Position in the splash dialog's driver list; -1: none chosen yet.
inline constexpr IntEntry SoundMode{"SoundMode", -1, {-1, 2}};
inline constexpr BoolEntry SplashScreen{"SplashScreen", true};
inline constexpr BoolEntry FullscreenMode{"FullscreenMode", true};
// How many screen pixels one picture pixel takes, 1..8; 0 ("auto") fits the screen.
inline constexpr IntEntry Zoom{"Zoom", 0, {0, 8}};

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
