#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "device/device_timers.h"
#include "device/key_table.h"
#include "device/lcd_state.h"
#include "device/ports.h"
#include "device/segment.h"

namespace device {

// Values of DeviceMode.
enum Mode : std::int32_t {
    ModeAllSegments = 0,
    ModeTime1 = 1,
    ModeTime2 = 2,
    ModeAlarm = 3,
    ModeChrono = 4,
    ModeDate = 5,
    ModeGameAReady = 6,
    ModeGameBReady = 7,
    ModeGameA = 8,
    ModeGameB = 9,
    ModeGameOver = 10,
};
// The mode's name, or an empty view for a value outside 0..10.
std::string_view modeName(std::int32_t mode);

// States of a playfield cell.
enum Cell : std::int32_t { CellEmpty = 0, CellInFlight = 1, CellHeld = 2, CellMissed = 3 };

enum class Button : std::uint8_t { GameA, GameB, Time, Left, Right };

// The button pictures that carry a hover hint, in the order the hints are built.
enum class HintPicture : std::uint8_t {
    btn_game_a_top,
    btn_game_b_top,
    btn_time_top,
    btn_set_top,
    btn_left_top,
    btn_right_top,
};
inline constexpr std::size_t kHintCount = 6;
std::string_view hintPictureName(HintPicture picture);

inline constexpr int kCellCount = 28;

// The display tables: the segments the logic indexes, in their fixed orders.
inline constexpr std::array<Segment, 14> PanelDigits = {
    Segment::im_panel_digit_pos_1, Segment::im_panel_digit_pos_2, Segment::im_panel_digit_pos_3,
    Segment::im_panel_digit_pos_4, Segment::im_panel_number_0,    Segment::im_panel_number_1,
    Segment::im_panel_number_2,    Segment::im_panel_number_3,    Segment::im_panel_number_4,
    Segment::im_panel_number_5,    Segment::im_panel_number_6,    Segment::im_panel_number_7,
    Segment::im_panel_number_8,    Segment::im_panel_number_9,
};
inline constexpr std::array<Segment, 10> MissMarks = {
    Segment::im_panel_miss_01, Segment::im_panel_miss_02, Segment::im_panel_miss_03,
    Segment::im_panel_miss_04, Segment::im_panel_miss_05, Segment::im_panel_miss_06,
    Segment::im_panel_miss_07, Segment::im_panel_miss_08, Segment::im_panel_miss_09,
    Segment::im_panel_miss_10,
};
inline constexpr std::array<Segment, kCellCount> ItemPictures = [] {
    std::array<Segment, kCellCount> table{};
    for (int i = 0; i < kCellCount; ++i) {
        table[i] = itemSegment(i);
    }
    return table;
}();
inline constexpr std::array<Segment, 3> ItemLeftPictures = {
    Segment::im_item_left_0, Segment::im_item_left_1, Segment::im_item_left_2};
inline constexpr std::array<Segment, 7> ItemRightPictures = {
    Segment::im_item_right_1a, Segment::im_item_right_1b, Segment::im_item_right_2,
    Segment::im_item_right_3,  Segment::im_item_right_4,  Segment::im_item_right_5,
    Segment::im_item_right_6,
};
inline constexpr std::array<Segment, 3> HeroPictures = {Segment::im_hero_1, Segment::im_hero_2,
                                                        Segment::im_hero_3};
inline constexpr std::array<Segment, 3> MissPictures = {Segment::im_miss_1, Segment::im_miss_2,
                                                        Segment::im_miss_3};

// What front ends show and tests check of the device's state, copied out at one moment.
struct DeviceSnapshot {
    std::int32_t mode = ModeAllSegments;
    std::int32_t score = 0;
    std::int32_t misses = 0;
    std::int32_t hero = 0;
    bool heroCanMove = false;
    std::int32_t tickPhase = 0;
    std::int32_t maxItems = 0;
    std::int32_t hiScoreA = 0;
    std::int32_t hiScoreB = 0;
    std::array<std::int32_t, kCellCount> cells{};
    // Per slot GAME A, GAME B, TIME, LEFT, RIGHT.
    std::array<KeyBinding, kBindingCount> bindings{};
    bool latchGameA = false;
    bool latchGameB = false;
    bool latchCommon = false;
};

// The simulated pocket game: its modes, the two games, the watch panels, the buttons and
// key bindings, and the seven timers that drive it all. It runs on virtual time: a front
// end calls advance() when nextDeadline() comes, tests call it with a manual clock.
//
// Its state changes only through the operations below, as a user, the clock or the menu
// would change it; front ends and tests read it through snapshot(), lcd() and timers().
class Device {
public:
    explicit Device(const Ports& ports);

    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    // What the main window's creation does for the device: key hint names, the bindings
    // read and written back, button hints, high scores, latches cleared. The LCD stays dark.
    void startUp();
    // Switches the device on: all segments lit (the splash dialog's Play step).
    void powerOn();

    // Time.
    Millis now() const { return timers_.now(); }
    std::optional<Millis> nextDeadline() const { return timers_.nextDeadline(); }
    // Advances virtual time by `ms`, firing every timer that falls due, in time order.
    void advance(Millis ms);

    // Buttons as clicked with the left mouse button on their pictures.
    void press(Button button);
    void release(Button button);

    // Key events with Windows virtual-key codes, through the key bindings.
    void FormKeyDown(std::uint16_t keyCode);
    void FormKeyUp(std::uint16_t keyCode);

    // What an accepted key settings dialog does for one slot (1..5): index set, stored, code
    // derived, hints rebuilt. A slot or an index outside its range changes nothing.
    void acceptBinding(int slot, int keyIndex);
    // High scores reset from the menu: both set to 0 and stored.
    void resetHiScores();

    DeviceSnapshot snapshot() const;
    const LcdState& lcd() const { return lcd_; }
    const DeviceTimers& timers() const { return timers_; }
    const std::string& buttonHint(HintPicture picture) const;

private:
    // Key bindings (slot 1..5).
    void BuildKeyHintNames();
    void AssignWord(int slot);
    void RefreshButtonHints();

    // Mode control.
    void Gam_Set_Mode();
    void Gam_Stop_All_Timers();
    void Gam_Set_Level();

    // Display.
    void Vid_Show_All(bool shown);
    void Vid_Show_All_Hero(bool shown);
    void Vid_Show_All_Items(bool shown);
    void Vid_Show_All_Items_Left(bool shown);
    void Vid_Show_All_Items_Right(bool shown);
    void Vid_Show_All_Miss(bool shown);
    void Vid_Show_Hero(int position, bool shown);
    void Vid_Show_Item_Left(int frame);
    void Vid_Show_Item_Right(int frame);
    void Vid_Show_Panel_Miss(int count);
    void Vid_Show_Panel_Score(int value, bool shown);

    // Buttons.
    void Inp_game_a_down();
    void Inp_game_a_up();
    void Inp_game_b_down();
    void Inp_game_b_up();
    void Inp_time_down();
    void Inp_time_up();
    void Inp_left_down();
    void Inp_left_up();
    void Inp_right_down();
    void Inp_right_up();

    // Timer handlers.
    void Timer_AlarmTimer();
    void Timer_ClockTimer();
    void Timer_DateTimer();
    void Timer_GameTimer();
    void Timer_Game_OverTimer();
    void Timer_Game_StartTimer();
    void Timer_RepriseTimer();

    void Snd_Play(Sample sample);

    void applyMode(std::int32_t mode);
    void showReadyDisplay(std::int32_t mode);
    void startPlay();
    void toggleColon();
    void moveExitRunAndLane3(int& catchLane, int& moved);
    void moveLane1(int& catchLane, int& moved);
    void moveLane2(int& catchLane, int& moved);
    void countPoint();
    void handleMiss(int missLane);
    void setDigit(int position, int digit);
    void fire(TimerId id);
    void setShown(Segment s, bool shown) { lcd_.setShown(s, shown); }

    // Device state.
    std::int32_t DeviceMode = ModeAllSegments;
    std::array<std::int32_t, kCellCount> ItemCells{};
    std::int32_t HeroPos = 0;
    std::int32_t TickPhase = 0;
    std::int32_t Score = 0;
    std::int32_t MissCount = 0;
    std::int32_t MaxItems = 0;
    bool HeroCanMove = false;
    std::int32_t HiScoreA = 0;
    std::int32_t HiScoreB = 0;

    bool LatchGameA = false;
    bool LatchGameB = false;
    bool LatchCommon = false;

    std::array<KeyBinding, kBindingCount> KeyBindings{};
    std::array<std::string, kKeyCount> KeyHintNames{};

    Ports ports_;
    LcdState lcd_;
    DeviceTimers timers_;
    std::array<std::string, kHintCount> hints_{};
};

} // namespace device
