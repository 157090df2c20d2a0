#include "session/date_time.h"

#include <gtest/gtest.h>

#include "session/queued_random.h"
#include "session/virtual_clock.h"
#include "tests/session/run_helpers.h"

namespace session {
namespace {

TEST(DateTime, ParsesTheOptionForm) {
    EXPECT_EQ(parseDateTime("2026-12-08 09:41"), (DateTime{2026, 12, 8, 9, 41, 0}));
    EXPECT_EQ(parseDateTime("2000-01-01  00:00"), (DateTime{2000, 1, 1, 0, 0, 0}));
    EXPECT_FALSE(parseDateTime("2026-12-08"));
    EXPECT_FALSE(parseDateTime("2026-12-0809:41"));
    EXPECT_FALSE(parseDateTime("2026-12-08 09:41 x"));
    EXPECT_FALSE(parseDateTime("2100-02-29 12:00")); // not a leap year
    EXPECT_TRUE(parseDateTime("2000-02-29 12:00"));
}

TEST(DateTime, RollsOverMinutesDaysMonthsAndYears) {
    EXPECT_EQ(addMillis({2026, 12, 8, 23, 59, 0}, 60'000), (DateTime{2026, 12, 9, 0, 0, 0}));
    EXPECT_EQ(addMillis({2026, 12, 31, 23, 59, 0}, 60'000), (DateTime{2027, 1, 1, 0, 0, 0}));
    EXPECT_EQ(addMillis({2024, 2, 28, 23, 59, 0}, 60'000), (DateTime{2024, 2, 29, 0, 0, 0}));
    EXPECT_EQ(addMillis({2026, 4, 30, 12, 0, 0}, 86'400'000), (DateTime{2026, 5, 1, 12, 0, 0}));
    // The minute changes only once 60 whole seconds have passed.
    EXPECT_EQ(addMillis({2026, 12, 8, 9, 41, 0}, 59'999), (DateTime{2026, 12, 8, 9, 41, 59}));
    EXPECT_EQ(addMillis({2026, 12, 8, 9, 41, 30}, 30'000), (DateTime{2026, 12, 8, 9, 42, 0}));
}

TEST(VirtualClock, RunsWithVirtualTimeFromTheLastSetting) {
    device::Millis virtualNow = 0;
    VirtualClock clock([&] { return virtualNow; }, DateTime{2026, 12, 31, 23, 59, 0});
    virtualNow = 60'000;
    device::LocalTime t = clock.now();
    EXPECT_EQ(t.hour, 0);
    EXPECT_EQ(t.minute, 0);
    EXPECT_EQ(t.month, 1);
    EXPECT_EQ(t.day, 1);

    clock.set(DateTime{2026, 3, 7, 13, 5, 0});
    virtualNow += 120'000;
    EXPECT_EQ(clock.current(), (DateTime{2026, 3, 7, 13, 7, 0}));
}

TEST(QueuedRandom, PopsQueuedDrawsThenFollowsTheSeed) {
    QueuedRandom random(7);
    device::SeededRandom reference(7);
    random.queue(3);
    random.queue(0);
    EXPECT_EQ(random.draw(), 3);
    EXPECT_EQ(random.draw(), 0);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(random.draw(), reference.draw());
    }
}

std::string digitsOf(const std::string& stateLine) {
    auto start = stateLine.find("\"digits\":");
    auto end = stateLine.find(']', start);
    return stateLine.substr(start, end - start + 1);
}

TEST(ScriptClock, DeviceSeesTheClockRollOver) {
    // Five TIME presses from all segments lead to the date panel; then one more to the time.
    auto result = testing::runText("clock 2026-12-31 23:59\npower\n"
                                   "tap TIME\ntap TIME\ntap TIME\ntap TIME\ntap TIME\n"
                                   "wait 1\nshow\nwait 60000\nshow\ntap TIME\nwait 1\nshow\n");
    ASSERT_EQ(result.status, 0) << result.err;
    auto reports = testing::reportLines(result);
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_NE(reports[0].find("\"mode\":\"ModeDate\""), std::string::npos);
    EXPECT_EQ(digitsOf(reports[0]), R"("digits":["1","2","3","1"])");
    EXPECT_EQ(digitsOf(reports[1]), R"("digits":["","1","","1"])");
    EXPECT_EQ(digitsOf(reports[2]), R"("digits":["1","2","0","0"])");
    EXPECT_NE(reports[2].find("\"im_panel_time_am\""), std::string::npos);
}

} // namespace
} // namespace session
