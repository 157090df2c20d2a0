// The display operations: every visible change of the device goes through these.
#include "device/device.h"

namespace device {
namespace {

constexpr std::array<Segment, 11> kLabels = {
    Segment::im_panel_game_a, Segment::im_panel_game_b,     Segment::im_panel_time_1,
    Segment::im_panel_time_2, Segment::im_panel_time_am,    Segment::im_panel_time_pm,
    Segment::im_panel_bell,   Segment::im_panel_alarm,      Segment::im_panel_date,
    Segment::im_panel_chrono, Segment::im_panel_time_colon,
};

// Shown state of the item-right group's seven pictures, per frame 0..6.
constexpr bool kItemRightFrames[7][7] = {
    {true, true, false, true, true, false, false}, {true, true, true, false, true, false, false},
    {true, true, true, false, true, false, false}, {true, true, false, true, false, true, false},
    {true, true, false, true, false, false, true}, {true, true, false, true, false, false, true},
    {true, true, true, false, false, true, false},
};

} // namespace

void Device::setDigit(int position, int digit) {
    // A digit position takes a copy of the picture held by the digit's holder.
    lcd_.setDigitPicture(PanelDigits[static_cast<std::size_t>(position)], digit);
}

void Device::Vid_Show_All(bool shown) {
    for (Segment label : kLabels) {
        setShown(label, shown);
    }
    for (int position = 0; position < 4; ++position) {
        setShown(PanelDigits[static_cast<std::size_t>(position)], true);
    }
    Vid_Show_Panel_Score(8888, shown);
    Vid_Show_Panel_Miss(shown ? 10 : 0);
    Vid_Show_All_Items(shown);
    Vid_Show_All_Items_Left(shown);
    Vid_Show_All_Items_Right(shown);
    Vid_Show_All_Hero(shown);
    Vid_Show_All_Miss(shown);
}

void Device::Vid_Show_All_Hero(bool shown) {
    for (Segment s : HeroPictures) {
        setShown(s, shown);
    }
}

void Device::Vid_Show_All_Items(bool shown) {
    for (Segment s : ItemPictures) {
        setShown(s, shown);
    }
}

void Device::Vid_Show_All_Items_Left(bool shown) {
    for (Segment s : ItemLeftPictures) {
        setShown(s, shown);
    }
}

void Device::Vid_Show_All_Items_Right(bool shown) {
    for (Segment s : ItemRightPictures) {
        setShown(s, shown);
    }
}

void Device::Vid_Show_All_Miss(bool shown) {
    for (Segment s : MissPictures) {
        setShown(s, shown);
    }
}

void Device::Vid_Show_Hero(int position, bool shown) {
    if (position < 1 || position > 3) {
        return;
    }
    setShown(HeroPictures[static_cast<std::size_t>(position - 1)], shown);
}

void Device::Vid_Show_Item_Left(int frame) {
    if (frame != 1 && frame != 2) {
        return;
    }
    setShown(Segment::im_item_left_0, true);
    setShown(Segment::im_item_left_1, frame == 1);
    setShown(Segment::im_item_left_2, frame == 2);
}

void Device::Vid_Show_Item_Right(int frame) {
    if (frame < 0 || frame > 6) {
        return;
    }
    for (std::size_t i = 0; i < ItemRightPictures.size(); ++i) {
        setShown(ItemRightPictures[i], kItemRightFrames[frame][i]);
    }
}

void Device::Vid_Show_Panel_Miss(int count) {
    for (int i = 1; i <= static_cast<int>(MissMarks.size()); ++i) {
        setShown(MissMarks[static_cast<std::size_t>(i - 1)], i <= count);
    }
}

void Device::Vid_Show_Panel_Score(int value, bool shown) {
    value %= 10000;
    // Only a hand-edited high score can be negative; it shows as 0.
    if (value < 0) {
        value = 0;
    }
    if (!shown) {
        for (int position = 0; position < 4; ++position) {
            setDigit(position, -1);
        }
        return;
    }
    setDigit(0, value > 999 ? (value / 1000) % 10 : -1);
    setDigit(1, value > 99 ? (value / 100) % 10 : -1);
    setDigit(2, value > 9 ? (value / 10) % 10 : -1);
    setDigit(3, value % 10);
}

} // namespace device
