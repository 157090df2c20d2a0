#include "device/lcd_state.h"

namespace device {

void LcdState::setShown(Segment segment, bool shown) {
    bool& current = shown_[index(segment)];
    if (current == shown) {
        return;
    }
    current = shown;
    display_.segmentShown(segment, shown);
}

void LcdState::setDigitPicture(Segment position, int digit) {
    if (!isDigitPosition(position) || digit < -1 || digit > 9) {
        return;
    }
    int& current = digits_[slot(position)];
    if (current == digit) {
        return;
    }
    current = digit;
    display_.digitPicture(position, digit);
}

int LcdState::digitPicture(Segment position) const {
    return isDigitPosition(position) ? digits_[slot(position)] : -1;
}

} // namespace device
