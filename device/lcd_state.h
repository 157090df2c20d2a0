#pragma once

#include <array>

#include "device/ports.h"
#include "device/segment.h"

namespace device {

// The LCD as plain data: each segment's shown state and each digit position's picture.
// Changes are passed on to the Display; setting a value it already has passes nothing.
class LcdState {
public:
    explicit LcdState(Display& display) : display_(display) {}

    void setShown(Segment segment, bool shown);
    bool isShown(Segment segment) const { return shown_[index(segment)]; }

    // Gives a digit position the picture of digit 0..9, or -1 for the empty picture.
    // Any other segment or value is ignored.
    void setDigitPicture(Segment position, int digit);
    int digitPicture(Segment position) const;

private:
    static int slot(Segment position) {
        return static_cast<int>(index(position)) -
               static_cast<int>(index(Segment::im_panel_digit_pos_1));
    }

    Display& display_;
    std::array<bool, kSegmentCount> shown_{};
    std::array<int, 4> digits_{-1, -1, -1, -1};
};

} // namespace device
