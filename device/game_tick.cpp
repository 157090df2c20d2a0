// The game itself: start of play, the level tables and the tick that moves items along
// their route of 28 cells (lane 3: 0..7, lane 2: 8..16, lane 1: 17..23, exit run: 24..27).
#include "device/device.h"

namespace device {
namespace {

constexpr int kLane3Bottom = 7;
constexpr int kLane2Bottom = 16;
constexpr int kLane1Bottom = 23;
constexpr int kLastCell = 27;

int countEqual(const std::array<std::int32_t, kCellCount>& cells, int first, int last, int value) {
    int n = 0;
    for (int i = first; i <= last; ++i) {
        n += cells[static_cast<std::size_t>(i)] == value ? 1 : 0;
    }
    return n;
}

// Moves the items of cells first-1..last-1 one cell on, far end first.
void shiftStretch(std::array<std::int32_t, kCellCount>& cells, int first, int last) {
    for (int i = last; i >= first; --i) {
        cells[static_cast<std::size_t>(i)] = cells[static_cast<std::size_t>(i - 1)];
    }
}

} // namespace

void Device::Gam_Set_Level() {
    const int n = Score % 100;
    int interval = 0;
    if (DeviceMode == ModeGameA) {
        MaxItems = n <= 3 ? 1 : n <= 29 ? 3 : 5;
        interval = n <= 39 ? 215 : n <= 69 ? 185 : 150;
    } else if (DeviceMode == ModeGameB) {
        MaxItems = n <= 3 ? 1 : n <= 23 ? 4 : 6;
        interval = n <= 39 ? 180 : n <= 69 ? 155 : 130;
    } else {
        return;
    }
    timers_.setInterval(TimerId::Timer_Game, interval);
}

void Device::startPlay() {
    Score = 0;
    Vid_Show_Panel_Score(Score, true);
    MissCount = 0;
    Vid_Show_Panel_Miss(MissCount);
    ItemCells.fill(CellEmpty);
    HeroCanMove = true;
    Gam_Set_Level();
    TickPhase = 6;
    timers_.setEnabled(TimerId::Timer_Game, true);
}

void Device::countPoint() {
    Score += 1;
    if (Score > 9999) {
        Score -= 10000;
    }
    Vid_Show_Panel_Score(Score, true);
    Gam_Set_Level();
    Vid_Show_Item_Left(2);
}

void Device::moveExitRunAndLane3(int& catchLane, int& moved) {
    auto& c = ItemCells;
    if (c[kLastCell] == CellInFlight) {
        countPoint();
    }
    if (c[kLane1Bottom] == CellHeld) {
        c[kLane1Bottom] = CellInFlight;
    }
    c[27] = c[26];
    c[26] = c[25];
    c[25] = c[24];
    c[24] = c[kLane1Bottom];
    c[kLane1Bottom] = CellEmpty;
    shiftStretch(c, 1, kLane3Bottom);
    if (TickPhase == 1) {
        c[0] = CellEmpty;
    }
    if (c[kLane3Bottom] == CellInFlight && HeroPos == 3) {
        c[kLane3Bottom] = CellHeld;
        catchLane = 3;
    }
    if (TickPhase == 4) {
        int present = 0;
        for (std::int32_t cell : c) {
            present += cell > 0 ? 1 : 0;
        }
        // The draw is made on every spawn, also when the rules below override it.
        c[0] = ports_.random.draw() == 0 ? CellInFlight : CellEmpty;
        if (present == 0) {
            c[0] = CellInFlight;
        }
        if (present >= MaxItems) {
            c[0] = CellEmpty;
        }
    }
    moved +=
        countEqual(c, 0, kLane3Bottom, CellInFlight) + countEqual(c, 24, kLastCell, CellInFlight);
}

void Device::moveLane1(int& catchLane, int& moved) {
    auto& c = ItemCells;
    if (c[kLane2Bottom] == CellHeld) {
        c[kLane2Bottom] = CellInFlight;
    }
    shiftStretch(c, kLane2Bottom + 1, kLane1Bottom);
    c[kLane2Bottom] = CellEmpty;
    if (c[kLane1Bottom] == CellInFlight && HeroPos == 1) {
        c[kLane1Bottom] = CellHeld;
        catchLane = 1;
    }
    moved += countEqual(c, kLane2Bottom + 1, kLane1Bottom, CellInFlight);
}

void Device::moveLane2(int& catchLane, int& moved) {
    auto& c = ItemCells;
    if (c[kLane3Bottom] == CellHeld) {
        c[kLane3Bottom] = CellInFlight;
    }
    shiftStretch(c, kLane3Bottom + 1, kLane2Bottom);
    c[kLane3Bottom] = CellEmpty;
    if (c[kLane2Bottom] == CellInFlight && HeroPos == 2) {
        c[kLane2Bottom] = CellHeld;
        catchLane = 2;
    }
    moved += countEqual(c, kLane3Bottom + 1, kLane2Bottom, CellInFlight);
}

void Device::handleMiss(int missLane) {
    static constexpr int kBottomOfLane[4] = {0, kLane1Bottom, kLane2Bottom, kLane3Bottom};
    HeroCanMove = false;
    Gam_Stop_All_Timers();
    ItemCells[static_cast<std::size_t>(kBottomOfLane[missLane])] = CellEmpty;
    setShown(MissPictures[static_cast<std::size_t>(missLane - 1)], true);
    MissCount += 1;
    Vid_Show_Panel_Miss(MissCount);
    if (MissCount >= 5) {
        TickPhase = 0;
        timers_.setInterval(TimerId::Timer_Game_Over, 120);
        timers_.setEnabled(TimerId::Timer_Game_Over, true);
    } else {
        timers_.setInterval(TimerId::Timer_Reprise, 800);
        timers_.setEnabled(TimerId::Timer_Reprise, true);
    }
}

void Device::Timer_GameTimer() {
    auto& c = ItemCells;
    Vid_Show_Item_Right(TickPhase);
    Vid_Show_Item_Left(1);
    int missLane = 0;
    int catchLane = 0;
    int moved = 0;

    // An in-flight item left in a bottom cell by the last tick is settled now.
    if (c[kLane1Bottom] == CellInFlight && HeroPos != 1) {
        c[kLane1Bottom] = CellMissed;
        missLane = 1;
    }
    if (c[kLane2Bottom] == CellInFlight && HeroPos != 2) {
        c[kLane2Bottom] = CellMissed;
        missLane = 2;
    }
    if (c[kLane3Bottom] == CellInFlight && HeroPos != 3) {
        c[kLane3Bottom] = CellMissed;
        missLane = 3;
    }
    if (missLane == 0) {
        if (c[kLane1Bottom] == CellInFlight && HeroPos == 1) {
            c[kLane1Bottom] = CellHeld;
            catchLane = 1;
        }
        if (c[kLane2Bottom] == CellInFlight && HeroPos == 2) {
            c[kLane2Bottom] = CellHeld;
            catchLane = 2;
        }
        if (c[kLane3Bottom] == CellInFlight && HeroPos == 3) {
            c[kLane3Bottom] = CellHeld;
            catchLane = 3;
        }
        switch (TickPhase) {
        case 1:
        case 4:
            moveExitRunAndLane3(catchLane, moved);
            break;
        case 2:
        case 5:
            moveLane1(catchLane, moved);
            break;
        case 3:
        case 6:
            moveLane2(catchLane, moved);
            break;
        default:
            break;
        }
    } else {
        handleMiss(missLane);
    }

    for (int i = 0; i < kCellCount; ++i) {
        setShown(ItemPictures[static_cast<std::size_t>(i)], c[static_cast<std::size_t>(i)] > 0);
    }

    if (missLane != 0) {
        Snd_Play(Sample::Miss);
    } else if (catchLane != 0) {
        Snd_Play(Sample::Got);
    } else if (moved > 0) {
        Snd_Play(Sample::Move);
    }

    TickPhase += 1;
    if (TickPhase > 6) {
        TickPhase = 1;
    }
}

} // namespace device
