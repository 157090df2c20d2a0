// The watch: a 12-hour clock, the fixed alarm display and the date, each refreshed every
// 500 ms by its timer, with a blinking colon.
#include "device/device.h"

namespace device {

void Device::toggleColon() {
    setShown(Segment::im_panel_time_colon, !lcd_.isShown(Segment::im_panel_time_colon));
}

void Device::Timer_ClockTimer() {
    const LocalTime time = ports_.clock.now();
    int h = time.hour;
    const int m = time.minute;
    if (h >= 12) {
        h -= 12;
        setShown(Segment::im_panel_time_am, false);
        setShown(Segment::im_panel_time_pm, true);
    } else {
        setShown(Segment::im_panel_time_am, true);
        setShown(Segment::im_panel_time_pm, false);
    }
    if (h == 0) {
        h = 12;
    }
    setDigit(0, h >= 10 ? h / 10 : -1);
    setDigit(1, h % 10);
    setDigit(2, m / 10);
    setDigit(3, m % 10);
    toggleColon();
    timers_.setInterval(TimerId::Timer_Clock, 500);
}

void Device::Timer_DateTimer() {
    const LocalTime date = ports_.clock.now();
    setDigit(0, date.month >= 10 ? date.month / 10 : -1);
    setDigit(1, date.month % 10);
    setDigit(2, date.day >= 10 ? date.day / 10 : -1);
    setDigit(3, date.day % 10);
    toggleColon();
    timers_.setInterval(TimerId::Timer_Date, 500);
}

void Device::Timer_AlarmTimer() {
    toggleColon();
    timers_.setInterval(TimerId::Timer_Alarm, 500);
}

} // namespace device
