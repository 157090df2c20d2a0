// Mode entry, and the sequence around a game: ready display, resume after a miss,
// the three-stage game over.
#include "device/device.h"

#include "device/setting_entries.h"

namespace device {
namespace {

// Another program on the same store may have stored a high score since this one read it, so
// the stored value is the one to beat; the held value follows what is stored.
void settleHighScore(Settings& store, const setting::IntEntry& entry, std::int32_t& held,
                     std::int32_t score) {
    held = setting::read(store, entry, held);
    if (score > held) {
        held = score;
        setting::write(store, entry, held);
    }
}

} // namespace

void Device::Gam_Stop_All_Timers() {
    timers_.setEnabled(TimerId::Timer_Alarm, false);
    timers_.setEnabled(TimerId::Timer_Clock, false);
    timers_.setEnabled(TimerId::Timer_Date, false);
    timers_.setEnabled(TimerId::Timer_Game, false);
    timers_.setEnabled(TimerId::Timer_Game_Over, false);
    timers_.setEnabled(TimerId::Timer_Game_Start, false);
    timers_.setEnabled(TimerId::Timer_Reprise, false);
}

void Device::Gam_Set_Mode() {
    switch (DeviceMode) {
    case ModeAllSegments:
        Vid_Show_All(true);
        break;
    case ModeTime1:
        Gam_Stop_All_Timers();
        Vid_Show_All(false);
        setShown(Segment::im_panel_time_1, true);
        timers_.setInterval(TimerId::Timer_Clock, 1);
        timers_.setEnabled(TimerId::Timer_Clock, true);
        break;
    case ModeTime2:
        setShown(Segment::im_panel_time_1, false);
        setShown(Segment::im_panel_time_2, true);
        break;
    case ModeAlarm:
        Gam_Stop_All_Timers();
        Vid_Show_All(false);
        setShown(Segment::im_panel_alarm, true);
        Vid_Show_Panel_Score(1200, true);
        setShown(Segment::im_panel_time_am, true);
        timers_.setInterval(TimerId::Timer_Alarm, 1);
        timers_.setEnabled(TimerId::Timer_Alarm, true);
        break;
    case ModeChrono:
        Gam_Stop_All_Timers();
        Vid_Show_All(false);
        setShown(Segment::im_panel_chrono, true);
        setShown(Segment::im_panel_time_colon, true);
        for (int position = 0; position < 4; ++position) {
            setDigit(position, 0);
        }
        break;
    case ModeDate:
        Gam_Stop_All_Timers();
        Vid_Show_All(false);
        setShown(Segment::im_panel_date, true);
        timers_.setInterval(TimerId::Timer_Date, 1);
        timers_.setEnabled(TimerId::Timer_Date, true);
        break;
    case ModeGameAReady:
    case ModeGameBReady:
        showReadyDisplay(DeviceMode);
        break;
    case ModeGameA:
    case ModeGameB:
        startPlay();
        break;
    default:
        // ModeGameOver keeps the last picture of the game and its running timer.
        break;
    }
}

void Device::showReadyDisplay(std::int32_t mode) {
    Gam_Stop_All_Timers();
    Vid_Show_All(false);
    if (mode == ModeGameAReady) {
        setShown(Segment::im_panel_game_a, true);
        Vid_Show_Panel_Score(HiScoreA, true);
    } else {
        setShown(Segment::im_panel_game_b, true);
        Vid_Show_Panel_Score(HiScoreB, true);
    }
    HeroPos = 3;
    Vid_Show_Hero(HeroPos, true);
    Vid_Show_Item_Left(1);
    Vid_Show_Item_Right(0);
    Snd_Play(Sample::Start);
    timers_.setInterval(TimerId::Timer_Game_Start, 1500);
    timers_.setEnabled(TimerId::Timer_Game_Start, true);
}

void Device::Timer_Game_StartTimer() {
    if (DeviceMode == ModeGameAReady && !LatchGameA) {
        applyMode(ModeGameA);
    } else if (DeviceMode == ModeGameBReady && !LatchGameB) {
        applyMode(ModeGameB);
    }
    timers_.setEnabled(TimerId::Timer_Game_Start, false);
}

void Device::Timer_RepriseTimer() {
    Vid_Show_All_Miss(false);
    HeroCanMove = true;
    timers_.setEnabled(TimerId::Timer_Game, true);
    timers_.setEnabled(TimerId::Timer_Reprise, false);
}

void Device::Timer_Game_OverTimer() {
    switch (TickPhase) {
    case 1:
        Snd_Play(Sample::Gameover);
        timers_.setInterval(TimerId::Timer_Game_Over, 2000);
        break;
    case 2:
        if (DeviceMode == ModeGameA) {
            settleHighScore(ports_.settings, setting::HiScore1, HiScoreA, Score);
        }
        if (DeviceMode == ModeGameB) {
            settleHighScore(ports_.settings, setting::HiScore2, HiScoreB, Score);
        }
        applyMode(ModeGameOver);
        timers_.setInterval(TimerId::Timer_Game_Over, 30000);
        break;
    case 3:
        applyMode(ModeTime1);
        timers_.setEnabled(TimerId::Timer_Game_Over, false);
        break;
    default:
        break;
    }
    ++TickPhase;
}

} // namespace device
