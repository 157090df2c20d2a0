#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "device/device_timers.h"
#include "device/ports.h"

namespace session {

// A local calendar date and time of day, without a time zone.
struct DateTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend bool operator==(const DateTime&, const DateTime&) = default;
};

// Reads "YYYY-MM-DD HH:MM" or "YYYY-MM-DD HH:MM:SS" (blanks between the two parts); nothing
// unless it names a real date and time of day.
std::optional<DateTime> parseDateTime(std::string_view text);
std::optional<DateTime> parseDateTime(std::string_view date, std::string_view time);

// The computer's local date and time, to the second.
DateTime currentLocalDateTime();

// `base` moved on by `elapsed` milliseconds on the civil calendar (days, months and years
// roll over as they do on a wall clock).
DateTime addMillis(const DateTime& base, device::Millis elapsed);

// Seconds from `from` to `to` on the civil calendar (negative when `to` is earlier).
long long secondsBetween(const DateTime& from, const DateTime& to);

device::LocalTime toLocalTime(const DateTime& at);

// "YYYY-MM-DD HH:MM:SS", as parseDateTime reads it back.
std::string formatDateTime(const DateTime& at);

} // namespace session
