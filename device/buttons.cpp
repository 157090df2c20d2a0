// The five device buttons. GAME A and GAME B each have a press latch; TIME, LEFT and
// RIGHT share one, so a held button acts once and blocks the other two.
#include "device/device.h"

namespace device {

void Device::press(Button button) {
    switch (button) {
    case Button::GameA:
        Inp_game_a_down();
        break;
    case Button::GameB:
        Inp_game_b_down();
        break;
    case Button::Time:
        Inp_time_down();
        break;
    case Button::Left:
        Inp_left_down();
        break;
    case Button::Right:
        Inp_right_down();
        break;
    }
}

void Device::release(Button button) {
    switch (button) {
    case Button::GameA:
        Inp_game_a_up();
        break;
    case Button::GameB:
        Inp_game_b_up();
        break;
    case Button::Time:
        Inp_time_up();
        break;
    case Button::Left:
        Inp_left_up();
        break;
    case Button::Right:
        Inp_right_up();
        break;
    }
}

namespace {
// The watch modes and the game-over display, where GAME A and GAME B select a game.
bool selectsGame(std::int32_t mode) {
    return (mode >= ModeTime1 && mode <= ModeDate) || mode == ModeGameOver;
}
} // namespace

void Device::Inp_game_a_down() {
    setShown(Segment::btn_game_a_down, true);
    if (LatchGameA) {
        return;
    }
    LatchGameA = true;
    if (DeviceMode == ModeAllSegments) {
        applyMode(ModeTime1);
    } else if (selectsGame(DeviceMode)) {
        applyMode(ModeGameAReady);
    }
}

void Device::Inp_game_a_up() {
    setShown(Segment::btn_game_a_down, false);
    LatchGameA = false;
    if (DeviceMode == ModeGameAReady && !timers_.enabled(TimerId::Timer_Game_Start)) {
        applyMode(ModeGameA);
    }
}

void Device::Inp_game_b_down() {
    setShown(Segment::btn_game_b_down, true);
    if (LatchGameB) {
        return;
    }
    LatchGameB = true;
    if (DeviceMode == ModeAllSegments) {
        applyMode(ModeTime1);
    } else if (selectsGame(DeviceMode)) {
        applyMode(ModeGameBReady);
    }
}

void Device::Inp_game_b_up() {
    setShown(Segment::btn_game_b_down, false);
    LatchGameB = false;
    if (DeviceMode == ModeGameBReady && !timers_.enabled(TimerId::Timer_Game_Start)) {
        applyMode(ModeGameB);
    }
}

void Device::Inp_time_down() {
    setShown(Segment::btn_time_down, true);
    if (LatchCommon) {
        return;
    }
    LatchCommon = true;
    if ((DeviceMode >= ModeAllSegments && DeviceMode <= ModeDate) || DeviceMode == ModeGameOver) {
        std::int32_t next = DeviceMode + 1;
        if (next > ModeDate) {
            next = ModeTime1;
        }
        applyMode(next);
    }
}

void Device::Inp_time_up() {
    setShown(Segment::btn_time_down, false);
    LatchCommon = false;
}

void Device::Inp_left_down() {
    setShown(Segment::btn_left_down, true);
    if (LatchCommon) {
        return;
    }
    LatchCommon = true;
    if (HeroCanMove && HeroPos > 1) {
        Vid_Show_Hero(HeroPos, false);
        HeroPos -= 1;
        Vid_Show_Hero(HeroPos, true);
    }
}

void Device::Inp_left_up() {
    setShown(Segment::btn_left_down, false);
    LatchCommon = false;
}

void Device::Inp_right_down() {
    setShown(Segment::btn_right_down, true);
    if (LatchCommon) {
        return;
    }
    LatchCommon = true;
    if (HeroCanMove && HeroPos < 3) {
        Vid_Show_Hero(HeroPos, false);
        HeroPos += 1;
        Vid_Show_Hero(HeroPos, true);
    }
}

void Device::Inp_right_up() {
    setShown(Segment::btn_right_down, false);
    LatchCommon = false;
}

// Code 0 is no key: a binding that was never assigned holds it and must not match.
void Device::FormKeyDown(std::uint16_t keyCode) {
    if (keyCode == 0) {
        return;
    }
    for (std::size_t slot = 0; slot < KeyBindings.size(); ++slot) {
        if (KeyBindings[slot].KeyCode == keyCode) {
            press(static_cast<Button>(slot));
            return;
        }
    }
}

void Device::FormKeyUp(std::uint16_t keyCode) {
    if (keyCode == 0) {
        return;
    }
    for (std::size_t slot = 0; slot < KeyBindings.size(); ++slot) {
        if (KeyBindings[slot].KeyCode == keyCode) {
            release(static_cast<Button>(slot));
            return;
        }
    }
}

} // namespace device
