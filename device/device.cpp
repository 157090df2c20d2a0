#include "device/device.h"

#include "device/setting_entries.h"

namespace device {
namespace {

constexpr std::array<std::string_view, 11> kModeNames = {
    "ModeAllSegments", "ModeTime1",      "ModeTime2", "ModeAlarm", "ModeChrono",   "ModeDate",
    "ModeGameAReady",  "ModeGameBReady", "ModeGameA", "ModeGameB", "ModeGameOver",
};

constexpr std::array<std::string_view, kHintCount> kHintPictureNames = {
    "btn_game_a_top", "btn_game_b_top", "btn_time_top",
    "btn_set_top",    "btn_left_top",   "btn_right_top",
};

constexpr std::array<std::string_view, 5> kSampleNames = {"Gameover", "Got", "Miss", "Move",
                                                          "Start"};

} // namespace

std::string_view modeName(std::int32_t mode) {
    if (mode < 0 || mode >= static_cast<std::int32_t>(kModeNames.size())) {
        return {};
    }
    return kModeNames[static_cast<std::size_t>(mode)];
}

std::string_view hintPictureName(HintPicture picture) {
    return kHintPictureNames[static_cast<std::size_t>(picture)];
}

std::string_view sampleName(Sample sample) {
    return kSampleNames[static_cast<std::size_t>(sample)];
}

Device::Device(const Ports& ports) : ports_(ports), lcd_(ports.display) {}

void Device::startUp() {
    BuildKeyHintNames();
    for (int slot = 1; slot <= kBindingCount; ++slot) {
        const setting::IntEntry& entry = setting::Keys[static_cast<std::size_t>(slot - 1)];
        int keyIndex = setting::read(ports_.settings, entry);
        // A hand-edited index with no key behind it would leave the binding on no key at
        // all; the slot's default keeps every button playable.
        if (!entry.range.contains(keyIndex)) {
            keyIndex = entry.defaultValue;
        }
        KeyBindings[slot - 1].KeyIndex = keyIndex;
    }
    for (int slot = 1; slot <= kBindingCount; ++slot) {
        setting::write(ports_.settings, setting::Keys[static_cast<std::size_t>(slot - 1)],
                       KeyBindings[slot - 1].KeyIndex);
        AssignWord(slot);
    }
    RefreshButtonHints();
    HiScoreA = setting::read(ports_.settings, setting::HiScore1, HiScoreA);
    HiScoreB = setting::read(ports_.settings, setting::HiScore2, HiScoreB);
    LatchCommon = false;
    LatchGameA = false;
    LatchGameB = false;
    HeroCanMove = false;
}

void Device::powerOn() {
    applyMode(ModeAllSegments);
}

void Device::applyMode(std::int32_t mode) {
    DeviceMode = mode;
    Gam_Set_Mode();
}

void Device::advance(Millis ms) {
    if (ms < 0) {
        return;
    }
    const Millis until = timers_.now() + ms;
    while (auto due = timers_.takeDue(until)) {
        fire(*due);
    }
    timers_.settle(until);
}

void Device::fire(TimerId id) {
    switch (id) {
    case TimerId::Timer_Alarm:
        Timer_AlarmTimer();
        break;
    case TimerId::Timer_Clock:
        Timer_ClockTimer();
        break;
    case TimerId::Timer_Date:
        Timer_DateTimer();
        break;
    case TimerId::Timer_Game:
        Timer_GameTimer();
        break;
    case TimerId::Timer_Game_Over:
        Timer_Game_OverTimer();
        break;
    case TimerId::Timer_Game_Start:
        Timer_Game_StartTimer();
        break;
    case TimerId::Timer_Reprise:
        Timer_RepriseTimer();
        break;
    }
}

void Device::resetHiScores() {
    HiScoreA = 0;
    HiScoreB = 0;
    setting::write(ports_.settings, setting::HiScore1, HiScoreA);
    setting::write(ports_.settings, setting::HiScore2, HiScoreB);
}

DeviceSnapshot Device::snapshot() const {
    DeviceSnapshot s;
    s.mode = DeviceMode;
    s.score = Score;
    s.misses = MissCount;
    s.hero = HeroPos;
    s.heroCanMove = HeroCanMove;
    s.tickPhase = TickPhase;
    s.maxItems = MaxItems;
    s.hiScoreA = HiScoreA;
    s.hiScoreB = HiScoreB;
    s.cells = ItemCells;
    s.bindings = KeyBindings;
    s.latchGameA = LatchGameA;
    s.latchGameB = LatchGameB;
    s.latchCommon = LatchCommon;
    return s;
}

void Device::Snd_Play(Sample sample) {
    ports_.sound.play(sample);
}

} // namespace device
