#include <gtest/gtest.h>

#include "manual/manual_config.h"

namespace manual {
namespace {

ManualConfig read(std::string_view text) {
    return readManualConfig(skin::ConfigFile::fromText(text));
}

TEST(ManualConfig, SizesKeepToOnePixelAndTheLargestPictureSide) {
    EXPECT_EQ(read("[manual]\nmanualwidth=0\nmanualheight=99999\n").clientSize,
              (ManualSize{1, 16384}));
    EXPECT_EQ(read("[Manual]\nManualWidth=-5\nManualHeight=$10\n").clientSize, (ManualSize{1, 16}));
    EXPECT_EQ(read("[Manual]\nManualWidth=wide\n").clientSize, (ManualSize{415, 270}));
}

TEST(ManualConfig, PagesAreNumberedBitmapsInTheConfiguredFolder) {
    const ManualConfig defaults = read("");
    EXPECT_EQ(defaults.pageFiles.front(), "Graphics/Manual/1.bmp");
    EXPECT_EQ(defaults.pageFiles.back(), "Graphics/Manual/8.bmp");
    EXPECT_EQ(read("[Manual]\nManualDir=Book\\Pages\n").pageFiles[2], "Book/Pages/3.bmp");
    EXPECT_EQ(read("[Manual]\nManualDir=\n").pageFiles[4], "5.bmp") << "the working directory";
}

} // namespace
} // namespace manual
