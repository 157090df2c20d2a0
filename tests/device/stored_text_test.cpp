#include <gtest/gtest.h>

#include "device/setting_entries.h"
#include "device/stored_text.h"
#include "tests/device/fakes.h"

namespace device_test {
namespace {

using device::parseStoredInt;

TEST(ParseStoredInt, ReadsPlainDecimal) {
    EXPECT_EQ(parseStoredInt("0"), 0);
    EXPECT_EQ(parseStoredInt("39"), 39);
    EXPECT_EQ(parseStoredInt("-1"), -1);
    EXPECT_EQ(parseStoredInt("007"), 7);
    EXPECT_EQ(parseStoredInt("2147483647"), 2147483647);
    EXPECT_EQ(parseStoredInt("-2147483648"), -2147483647 - 1);
}

TEST(ParseStoredInt, RejectsAnythingElse) {
    for (const char* text : {"", "-", "+1", " 1", "1 ", "1.5", "abc", "12a", "0x10", "1e3",
                             "2147483648", "-2147483649", "99999999999"}) {
        EXPECT_EQ(parseStoredInt(text), std::nullopt) << '"' << text << '"';
    }
}

TEST(TextSettings, MissingOrUnreadableValuesReadAsTheDefault) {
    MemorySettings settings;
    EXPECT_EQ(settings.readInt("HiScore1", 17), 17);
    settings.values["HiScore1"] = "";
    EXPECT_EQ(settings.readInt("HiScore1", 17), 17);
    settings.values["HiScore1"] = "abc";
    EXPECT_EQ(settings.readInt("HiScore1", 17), 17);
    settings.values["HiScore1"] = "-40";
    EXPECT_EQ(settings.readInt("HiScore1", 17), -40);
}

TEST(TextSettings, BoolsAreNumbersOtherThanZero) {
    MemorySettings settings;
    EXPECT_TRUE(settings.readBool("FullscreenMode", true));
    settings.values["FullscreenMode"] = "5";
    EXPECT_TRUE(settings.readBool("FullscreenMode", false));
    settings.values["FullscreenMode"] = "0";
    EXPECT_FALSE(settings.readBool("FullscreenMode", true));
    settings.values["FullscreenMode"] = "abc";
    EXPECT_TRUE(settings.readBool("FullscreenMode", true));
    EXPECT_FALSE(settings.readBool("FullscreenMode", false));
}

TEST(TextSettings, WritesTheStoredForm) {
    MemorySettings settings;
    settings.writeInt("SoundMode", -1);
    settings.writeBool("SplashScreen", true);
    settings.writeBool("FullscreenMode", false);
    EXPECT_EQ(settings.stored("SoundMode"), "-1");
    EXPECT_EQ(settings.stored("SplashScreen"), "1");
    EXPECT_EQ(settings.stored("FullscreenMode"), "0");
}

// A default outside its own range would be refused by the very checks the table serves.
TEST(SettingEntries, EveryDefaultLiesWithinItsRange) {
    using namespace device::setting;
    for (const IntEntry& entry :
         {Keys[0], Keys[1], Keys[2], Keys[3], Keys[4], HiScore1, HiScore2, SoundMode, Zoom}) {
        EXPECT_TRUE(entry.range.contains(entry.defaultValue)) << entry.name;
        EXPECT_LE(entry.range.min, entry.range.max) << entry.name;
    }
    for (const BoolEntry& entry : {SplashScreen, FullscreenMode}) {
        EXPECT_TRUE(entry.range.contains(entry.defaultValue ? 1 : 0)) << entry.name;
    }
}

} // namespace
} // namespace device_test
