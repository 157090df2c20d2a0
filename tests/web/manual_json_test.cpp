#include <gtest/gtest.h>

#include "web/core/manual_json.h"

namespace web {
namespace {

TEST(ManualJson, ConfiguredSizeAndTheEightPageFiles) {
    const auto config = manual::readManualConfig(
        skin::ConfigFile::fromText("[Manual]\nManualDir=\"Book\\Pages\"\nManualWidth=$190\n"));
    EXPECT_EQ(manualConfigJson(config),
              R"({"clientSize":[400,270],"pages":["Book/Pages/1.bmp","Book/Pages/2.bmp",)"
              R"("Book/Pages/3.bmp","Book/Pages/4.bmp","Book/Pages/5.bmp","Book/Pages/6.bmp",)"
              R"("Book/Pages/7.bmp","Book/Pages/8.bmp"]})");
}

TEST(ManualJson, PageAndEachButtonsPicturesAndBoxForTheClientSize) {
    manual::ManualPager pager;
    EXPECT_EQ(manualStateJson(pager, {600, 400}),
              R"({"page":1,"buttons":[{"up":true,"down":true,"box":[580,4,16,14]},)"
              R"({"up":false,"down":false,"box":[4,382,16,14]},)"
              R"({"up":true,"down":true,"box":[580,382,16,14]}]})");
    pager.keyDown(39);
    EXPECT_EQ(manualStateJson(pager, {415, 270}),
              R"({"page":1,"buttons":[{"up":true,"down":true,"box":[395,4,16,14]},)"
              R"({"up":false,"down":false,"box":[4,252,16,14]},)"
              R"({"up":false,"down":true,"box":[395,252,16,14]}]})");
    pager.keyUp(39);
    EXPECT_TRUE(manualStateJson(pager, {415, 270}).starts_with(R"({"page":2,)"));
}

} // namespace
} // namespace web
