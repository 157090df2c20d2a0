#include <gtest/gtest.h>

#include "skin/skin_layout.h"

namespace skin {
namespace {

SkinLayout layOut(const std::string& text, bool fullscreen, Size screen = {1366, 768}) {
    return layOutSkin(ConfigFile::fromText(text), fullscreen, screen);
}

const ImagePlacement& placement(const SkinLayout& layout, int section) {
    return layout.images[static_cast<std::size_t>(section - 1)];
}

TEST(SkinLayout, WindowedTakesTheGameSizeAndTheKeyColour) {
    const SkinLayout layout = layOut("[Common]\nGameWidth=300\nGameHeight=200\n"
                                     "[VideoMode]\nTranspColor=$0000FF00\n"
                                     "[Image1]\nFilename=face.png\nLeft=3\nTop=4\nWidth=5\n"
                                     "Height=6\n",
                                     false);
    EXPECT_EQ(layout.clientSize, (Size{300, 200}));
    EXPECT_EQ(layout.background, (Rgb{0, 255, 0}));
    ASSERT_TRUE(layout.colourKey);
    EXPECT_EQ(*layout.colourKey, (Rgb{0, 255, 0}));
    EXPECT_EQ(layout.gameArea, (Box{0, 0, 300, 200}));
    EXPECT_EQ(placement(layout, 1).component, Component::im_background);
    EXPECT_EQ(placement(layout, 1).picturePath, "Graphics/Skin/face.png");
    EXPECT_EQ(placement(layout, 1).box, (Box{3, 4, 5, 6}));
    EXPECT_TRUE(layout.backdropPath.empty());
    EXPECT_FALSE(layout.gameMenuShown);
}

TEST(SkinLayout, DefaultsOfAnEmptyConfiguration) {
    const SkinLayout windowed = layOut("", false);
    EXPECT_EQ(windowed.clientSize, (Size{560, 372}));
    EXPECT_EQ(*windowed.colourKey, (Rgb{255, 0, 255}));
    // "nil" and an empty name name no picture: the component keeps what it has.
    const SkinLayout none = layOut("[Image2]\nFilename=nil\n[Image3]\nFilename=\n", false);
    EXPECT_TRUE(placement(none, 2).picturePath.empty());
    EXPECT_TRUE(placement(none, 3).picturePath.empty());
    EXPECT_EQ(placement(none, 2).box, (Box{0, 0, 0, 0}));
    const SkinLayout full = layOut("", true);
    EXPECT_EQ(full.background, (Rgb{0, 0, 0}));
    EXPECT_FALSE(full.colourKey);
    EXPECT_TRUE(full.gameMenuShown);
    EXPECT_EQ(full.gameMenuBox, (Box{0, 0, 36, 32}));
}

TEST(SkinLayout, FullScreenCentresTheGameRoundingTowardZero) {
    const SkinLayout layout = layOut("[Common]\nGameWidth=561\nGameHeight=372\n"
                                     "[Image1]\nLeft=0\nTop=0\nWidth=10\nHeight=10\n",
                                     true);
    EXPECT_EQ(layout.clientSize, (Size{1366, 768}));
    EXPECT_EQ(layout.gameArea, (Box{402, 198, 561, 372}));
    EXPECT_EQ(placement(layout, 1).box, (Box{402, 198, 10, 10}));
    // A screen 5 pixels narrower than the game: -2, not -3.
    EXPECT_EQ(layOut("[Common]\nGameWidth=561\n", true, {556, 768}).gameArea.left, -2);
    // A nonzero integer offset is taken as it is; zero or text means "centre".
    EXPECT_EQ(layOut("[Fullscreen]\nGameOffsetX=7\nGameOffsetY=0\n", true).gameArea,
              (Box{7, 198, 560, 372}));
}

TEST(SkinLayout, BackdropAndLogoAreNamedInTheBackdropFolder) {
    const SkinLayout layout = layOut("[Fullscreen]\nBackdropDir=Art\nBackdropFile=sky.jpg\n"
                                     "BackdropStretch=1\nLogoFile=logo.png\nLogoPosition=3\n"
                                     "BgColor=$00102030\n",
                                     true);
    EXPECT_EQ(layout.backdropPath, "Art/sky.jpg");
    EXPECT_TRUE(layout.backdropStretch);
    EXPECT_EQ(layout.logoPath, "Art/logo.png");
    EXPECT_EQ(layout.logoPosition, 3);
    EXPECT_EQ(layout.background, (Rgb{0x30, 0x20, 0x10}));
    // Windowed, neither is named.
    EXPECT_TRUE(layOut("[Fullscreen]\nBackdropFile=sky.jpg\n", false).backdropPath.empty());
}

TEST(SkinLayout, LogoCornersAndAnUnknownPosition) {
    const Size screen{1920, 1080};
    const Size logo{100, 50};
    EXPECT_EQ(logoBox(3, screen, logo, {}), (Box{1820, 1030, 100, 50}));
    EXPECT_EQ(logoBox(1, screen, logo, {}), (Box{1820, 0, 100, 50}));
    EXPECT_EQ(logoBox(2, screen, logo, {}), (Box{0, 1030, 100, 50}));
    EXPECT_EQ(logoBox(0, screen, logo, {5, 5, 1, 1}), (Box{0, 0, 100, 50}));
    EXPECT_EQ(logoBox(7, screen, logo, {}), (Box{0, 0, 100, 50}));
    EXPECT_EQ(logoBox(7, screen, logo, {40, 60, 1, 1}), (Box{40, 60, 100, 50}));
}

TEST(SkinLayout, ExtremeValuesStayWithinReach) {
    const SkinLayout layout = layOut("[Common]\nGameWidth=0\nGameHeight=99999\n"
                                     "[Image1]\nLeft=2147483647\nWidth=10\nHeight=10\n",
                                     false);
    EXPECT_EQ(layout.clientSize, (Size{1, 16384}));
    EXPECT_EQ(layout.configuredGameSize, (Size{0, 99999}));
    EXPECT_GT(placement(layout, 1).box.left, 16384);
    const SkinLayout far = layOut("[Fullscreen]\nGameOffsetX=$7FFFFFFF\n"
                                  "[Image1]\nLeft=2147483647\nWidth=10\nHeight=10\n",
                                  true);
    EXPECT_GE(placement(far, 1).box.left, 0) << "no overflow to the left";
}

} // namespace
} // namespace skin
