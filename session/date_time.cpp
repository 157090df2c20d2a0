#include "session/date_time.h"

#include <cctype>
#include <chrono>
#include <cstdio>
#include <ctime>

namespace session {
namespace {

using namespace std::chrono;

// Exactly `count` decimal digits.
std::optional<int> fixedDigits(std::string_view text, std::size_t count) {
    if (text.size() != count) {
        return std::nullopt;
    }
    int value = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

sys_seconds toSysSeconds(const DateTime& at) {
    const year_month_day date{year{at.year}, month{static_cast<unsigned>(at.month)},
                              day{static_cast<unsigned>(at.day)}};
    return sys_days{date} + hours{at.hour} + minutes{at.minute} + seconds{at.second};
}

bool isSpace(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

std::optional<DateTime> parseDateTime(std::string_view date, std::string_view time) {
    // Seconds are optional: a recorded session replays from the second it started at.
    const bool withSeconds = time.size() == 8 && time[5] == ':';
    if (date.size() != 10 || date[4] != '-' || date[7] != '-' ||
        (time.size() != 5 && !withSeconds) || time[2] != ':') {
        return std::nullopt;
    }
    auto y = fixedDigits(date.substr(0, 4), 4);
    auto mo = fixedDigits(date.substr(5, 2), 2);
    auto d = fixedDigits(date.substr(8, 2), 2);
    auto h = fixedDigits(time.substr(0, 2), 2);
    auto mi = fixedDigits(time.substr(3, 2), 2);
    const auto s = withSeconds ? fixedDigits(time.substr(6, 2), 2) : std::optional<int>(0);
    if (!y || !mo || !d || !h || !mi || !s || *h > 23 || *mi > 59 || *s > 59) {
        return std::nullopt;
    }
    const year_month_day ymd{year{*y}, month{static_cast<unsigned>(*mo)},
                             day{static_cast<unsigned>(*d)}};
    if (!ymd.ok()) {
        return std::nullopt;
    }
    return DateTime{*y, *mo, *d, *h, *mi, *s};
}

std::optional<DateTime> parseDateTime(std::string_view text) {
    std::size_t dateEnd = 0;
    while (dateEnd < text.size() && !isSpace(text[dateEnd])) {
        ++dateEnd;
    }
    std::size_t timeStart = dateEnd;
    while (timeStart < text.size() && isSpace(text[timeStart])) {
        ++timeStart;
    }
    if (dateEnd == timeStart) {
        return std::nullopt;
    }
    return parseDateTime(text.substr(0, dateEnd), text.substr(timeStart));
}

DateTime currentLocalDateTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now); // Windows has no localtime_r
#else
    localtime_r(&now, &local);
#endif
    return DateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                    local.tm_hour,        local.tm_min,     local.tm_sec < 60 ? local.tm_sec : 59};
}

DateTime addMillis(const DateTime& base, device::Millis elapsed) {
    const auto at = floor<seconds>(toSysSeconds(base) + milliseconds{elapsed});
    const auto dayStart = floor<days>(at);
    const year_month_day ymd{dayStart};
    const hh_mm_ss<seconds> timeOfDay{at - dayStart};
    return DateTime{static_cast<int>(ymd.year()),
                    static_cast<int>(static_cast<unsigned>(ymd.month())),
                    static_cast<int>(static_cast<unsigned>(ymd.day())),
                    static_cast<int>(timeOfDay.hours().count()),
                    static_cast<int>(timeOfDay.minutes().count()),
                    static_cast<int>(timeOfDay.seconds().count())};
}

long long secondsBetween(const DateTime& from, const DateTime& to) {
    return (toSysSeconds(to) - toSysSeconds(from)).count();
}

device::LocalTime toLocalTime(const DateTime& at) {
    return device::LocalTime{at.hour, at.minute, at.month, at.day};
}

std::string formatDateTime(const DateTime& at) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", at.year, at.month, at.day,
                  at.hour, at.minute, at.second);
    return text;
}

} // namespace session
