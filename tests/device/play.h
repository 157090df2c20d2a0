#pragma once

#include <array>

#include "device/device.h"

// A player that sees the device's state only as a front end does, through its snapshot,
// and places the hero between ticks so that chosen lanes catch and the others miss.
namespace device_test {

// Lanes by the hero position under their bottom cell: lane 3 (cells 0..7) is at the right.
inline constexpr std::array<int, 4> kBottomCell = {-1, 23, 16, 7};

// The lane whose stretch the tick of `phase` moves.
constexpr int movingLane(int phase) {
    switch (phase) {
    case 1:
    case 4:
        return 3;
    case 2:
    case 5:
        return 1;
    case 3:
    case 6:
        return 2;
    default:
        return 0;
    }
}

// The lanes whose bottom cell holds an in-flight item at the next tick: one waiting there
// since the last tick, or one the next tick brings down.
inline std::array<bool, 4> lanesDue(const device::DeviceSnapshot& s) {
    std::array<bool, 4> due{};
    for (int lane = 1; lane <= 3; ++lane) {
        due[lane] = s.cells[kBottomCell[lane]] == device::CellInFlight;
    }
    const int moving = movingLane(s.tickPhase);
    if (moving != 0 && s.cells[kBottomCell[moving] - 1] == device::CellInFlight) {
        due[moving] = true;
    }
    return due;
}

// Which lanes the player catches in; an item due in any other lane finds the hero away.
struct Aim {
    std::array<bool, 4> catches;
};
inline constexpr Aim kCatchAll{{false, true, true, true}};
// Nothing more gets past lane 1, so nothing more scores.
inline constexpr Aim kSpareLane1{{false, false, true, true}};
inline constexpr Aim kMissAll{{false, false, false, false}};

inline int heroFor(const device::DeviceSnapshot& s, Aim aim) {
    const std::array<bool, 4> due = lanesDue(s);
    for (int lane = 1; lane <= 3; ++lane) {
        if (due[lane] && aim.catches[lane]) {
            return lane;
        }
    }
    if (s.hero >= 1 && s.hero <= 3 && due[s.hero]) {
        for (int lane = 1; lane <= 3; ++lane) {
            if (!due[lane]) {
                return lane;
            }
        }
    }
    return s.hero;
}

inline int itemCount(const device::DeviceSnapshot& s) {
    int count = 0;
    for (int cell : s.cells) {
        count += cell > 0 ? 1 : 0;
    }
    return count;
}

// Items past their last catch: each will count a point as it leaves the route.
inline int itemsOnTheirWayOut(const device::DeviceSnapshot& s) {
    int count = s.cells[23] == device::CellHeld ? 1 : 0;
    for (int i = 24; i < device::kCellCount; ++i) {
        count += s.cells[i] == device::CellInFlight ? 1 : 0;
    }
    return count;
}

// An item waits in a bottom cell the hero is not under: the next tick misses it.
inline bool missComesNext(const device::DeviceSnapshot& s) {
    for (int lane = 1; lane <= 3; ++lane) {
        if (s.cells[kBottomCell[lane]] == device::CellInFlight && s.hero != lane) {
            return true;
        }
    }
    return false;
}

} // namespace device_test
