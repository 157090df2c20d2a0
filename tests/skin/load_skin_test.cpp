#include <gtest/gtest.h>

#include <QBuffer>

#include "skin/box_bounds.h"
#include "skin/load_skin.h"
#include "tests/skin/skin_fixture.h"

namespace skin {
namespace {

using test::RecordingHost;
using test::TestSkin;

std::string image(int n, const std::string& file, int left, int top, int w, int h) {
    return "[Image" + std::to_string(n) + "]\nFilename=" + file + "\nLeft=" + std::to_string(left) +
           "\nTop=" + std::to_string(top) + "\nWidth=" + std::to_string(w) +
           "\nHeight=" + std::to_string(h) + "\n";
}

test::Bytes pngBytes(const QImage& image) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return test::Bytes(data.begin(), data.end());
}

class LoadSkinTest : public ::testing::Test {
protected:
    SkinLoadReport load(bool fullscreen) {
        return LoadSkin(scene, host, skin.configPath(), fullscreen);
    }

    TestSkin skin;
    RecordingHost host;
    Scene scene;
};

TEST_F(LoadSkinTest, AMissingConfigurationStopsTheProgramButStillSetsTheMenuButton) {
    const auto report = LoadSkin(scene, host, "/nonexistent/Config.ini", true);
    EXPECT_TRUE(report.configMissing);
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_EQ(host.errors[0],
              "Configuration file (Config.ini) not found. Please reinstall the game.");
    EXPECT_TRUE(host.terminateRequested);
    EXPECT_TRUE(host.clientSizes.empty()) << "nothing else of the window is touched";
    EXPECT_TRUE(scene.isShown(Component::btn_game_menu_background));
    EXPECT_EQ(scene.box(Component::btn_game_menu_background), (Box{0, 0, 36, 32}));

    Scene windowed;
    LoadSkin(windowed, host, "/nonexistent/Config.ini", false);
    EXPECT_FALSE(windowed.isShown(Component::btn_game_menu_top));
    EXPECT_FALSE(windowed.isShown(Component::btn_game_menu_background));
}

TEST_F(LoadSkinTest, WindowedLayoutIsTheGameAreaOnTheKeyColour) {
    skin.savePicture("skin", "face.png", test::solid(8, 8, Qt::blue), "PNG");
    skin.writeConfig("GameWidth=500\nGameHeight=300",
                     "[VideoMode]\nTranspColor=$0000ff00\n" + image(1, "face.png", 3, 4, 500, 300));
    const auto report = load(false);
    EXPECT_TRUE(report.missingPictures.empty());
    EXPECT_EQ(scene.clientSize(), QSize(500, 300));
    EXPECT_EQ(host.clientSizes.back(), QSize(500, 300));
    EXPECT_EQ(host.background, QColor(0, 255, 0));
    EXPECT_EQ(host.colourKey, QColor(0, 255, 0));
    EXPECT_FALSE(scene.isShown(Component::im_backdrop));
    EXPECT_FALSE(scene.isShown(Component::im_backdrop_logo));
    EXPECT_EQ(scene.box(Component::im_background), (Box{3, 4, 500, 300}));
    EXPECT_TRUE(scene.hasPicture(Component::im_background));
    EXPECT_FALSE(scene.isShown(Component::btn_game_menu_top));
}

TEST_F(LoadSkinTest, OnlyCommonAndImagesGiveMagentaWindowedAndBlackFullScreen) {
    skin.writeConfig("", image(1, "nil", 0, 0, 560, 372));
    load(false);
    EXPECT_EQ(host.colourKey, QColor(255, 0, 255));
    Scene full;
    RecordingHost fullHost;
    LoadSkin(full, fullHost, skin.configPath(), true);
    EXPECT_EQ(fullHost.background, QColor(0, 0, 0));
    EXPECT_FALSE(fullHost.colourKey.has_value());
    EXPECT_EQ(full.clientSize(), QSize(1366, 768));
    EXPECT_EQ(full.box(Component::im_background), (Box{403, 198, 560, 372}));
    EXPECT_TRUE(full.isShown(Component::btn_game_menu_top));
}

TEST_F(LoadSkinTest, FullScreenOffsetsCentreOrPlaceTheGameArea) {
    struct Case {
        QSize screen;
        std::string offsets;
        int width;
        QPoint expected;
    } cases[] = {
        {{1366, 768}, "", 561, {402, 198}},
        {{555, 367}, "", 560, {-2, -2}},
        {{1366, 768}, "GameOffsetX=0\nGameOffsetY=Center\n", 560, {403, 198}},
        {{1366, 768}, "GameOffsetX=1\nGameOffsetY=-20\n", 560, {1, -20}},
        {{1366, 768}, "GameOffsetX=$10\nGameOffsetY=20px\n", 560, {16, 198}},
    };
    for (const Case& c : cases) {
        skin.writeConfig("GameWidth=" + std::to_string(c.width),
                         c.offsets + image(9, "", 10, 20, 5, 5));
        Scene s;
        RecordingHost h;
        h.screen = c.screen;
        LoadSkin(s, h, skin.configPath(), true);
        EXPECT_EQ(s.box(Component::btn_set_top).left, c.expected.x() + 10) << c.offsets;
        EXPECT_EQ(s.box(Component::btn_set_top).top, c.expected.y() + 20) << c.offsets;
        EXPECT_EQ(s.clientSize(), c.screen);
    }
}

TEST_F(LoadSkinTest, TheLogoGoesToItsCorner) {
    skin.savePicture("backdrops", "logo.png", test::solid(40, 30, Qt::red), "PNG");
    const std::pair<int, QPoint> corners[] = {
        {0, {0, 0}}, {1, {1326, 0}}, {2, {0, 738}}, {3, {1326, 738}}, {7, {0, 0}}};
    for (const auto& [position, expected] : corners) {
        skin.writeConfig("", "LogoFile=logo.png\nLogoPosition=" + std::to_string(position) + "\n");
        Scene s;
        RecordingHost h;
        LoadSkin(s, h, skin.configPath(), true);
        EXPECT_TRUE(s.isShown(Component::im_backdrop_logo));
        EXPECT_EQ(s.box(Component::im_backdrop_logo), (Box{expected.x(), expected.y(), 40, 30}))
            << "LogoPosition " << position;
    }
}

TEST_F(LoadSkinTest, BackdropAndBackgroundColourComeFromFullscreen) {
    skin.savePicture("backdrops", "back.bmp", test::solid(100, 50, Qt::gray), "BMP");
    skin.writeConfig("", "BackdropFile=back.bmp\nBackdropStretch=1\nBgColor=$00332211\n");
    load(true);
    EXPECT_TRUE(scene.hasPicture(Component::im_backdrop));
    EXPECT_TRUE(scene.backdropStretch());
    EXPECT_EQ(host.background, QColor(0x11, 0x22, 0x33));
    EXPECT_EQ(scene.paintRect(Component::im_backdrop), QRect(0, 0, 1366, 768));

    skin.writeConfig("", "BackdropFile=missing.bmp\nBackdropStretch=1\n");
    Scene s;
    LoadSkin(s, host, skin.configPath(), true);
    EXPECT_FALSE(s.hasPicture(Component::im_backdrop)) << "a missing backdrop changes nothing";
    EXPECT_FALSE(s.backdropStretch());
}

TEST_F(LoadSkinTest, MissingAndUndecodablePicturesGetThePlaceholder) {
    skin.saveBytes("skin", "broken.png", {1, 2, 3, 4, 5});
    skin.savePicture("skin", "Hero.PNG", test::solid(4, 4, Qt::black), "PNG");
    skin.writeConfig("", image(87, "nil", 0, 0, 9, 9) + image(88, "NIL", 0, 0, 9, 9) +
                             image(89, "broken.png", 0, 0, 9, 9) +
                             image(90, "hero.png", 0, 0, 9, 9));
    const auto report = load(false);
    EXPECT_FALSE(scene.hasPicture(Component::im_hero_1)) << "\"nil\" names no picture";
    EXPECT_TRUE(scene.hasPlaceholder(Component::im_hero_2)) << "\"NIL\" is a file name";
    EXPECT_TRUE(scene.hasPlaceholder(Component::im_hero_3));
    ASSERT_EQ(host.pictureErrors.size(), 1u);
    EXPECT_NE(host.pictureErrors[0].find("broken.png"), std::string::npos);
    EXPECT_TRUE(scene.hasPicture(Component::im_miss_1)) << "letter case of file names is ignored";
    EXPECT_FALSE(scene.hasPlaceholder(Component::im_miss_1));
    EXPECT_EQ(report.missingPictures.size(), 1u);
    EXPECT_EQ(report.undecodablePictures.size(), 1u);
}

TEST_F(LoadSkinTest, ASkinFolderWithoutItsClosingSeparatorFindsTheSamePictures) {
    skin.savePicture("skin", "face.png", test::solid(8, 8, Qt::blue), "PNG");
    std::string dir = skin.skinDir();
    dir.pop_back();
    {
        std::ofstream out(skin.configPath());
        out << "[common]\nskindir=" << dir << "\n" << image(1, "face.png", 0, 0, 8, 8);
    }
    load(false);
    EXPECT_TRUE(scene.hasPicture(Component::im_background));
    EXPECT_FALSE(scene.hasPlaceholder(Component::im_background));
}

TEST_F(LoadSkinTest, OffsetsAndBoxesAtTheIntegerLimitsLieOutsideTheScreen) {
    skin.writeConfig("GameWidth=2147483647\nGameHeight=-2147483648",
                     "GameOffsetX=$7FFFFFFF\nGameOffsetY=-2147483648\n" +
                         image(1, "nil", 2147483647, -2147483648, 2147483647, 2147483647) +
                         image(9, "nil", -2147483648, 2147483647, -2147483648, 5));
    const QRect screen(QPoint(0, 0), host.screen);
    EXPECT_FALSE(load(true).gameArea.intersects(screen));
    EXPECT_FALSE(toRect(scene.box(Component::im_background)).intersects(screen));
    EXPECT_FALSE(toRect(scene.box(Component::btn_set_top)).intersects(screen));
}

TEST_F(LoadSkinTest, AGameAreaWithoutPixelsLeavesTheWindowOnePixel) {
    skin.writeConfig("GameWidth=0\nGameHeight=-5", image(1, "nil", 0, 0, 5, 5));
    const auto report = load(false);
    EXPECT_EQ(report.configuredGameSize, QSize(0, -5));
    EXPECT_EQ(host.clientSizes, (std::vector<QSize>{{560, 1}, {1, 1}}));
    EXPECT_EQ(scene.render().size(), QSize(1, 1));
    Scene full;
    LoadSkin(full, host, skin.configPath(), true);
    EXPECT_EQ(full.box(Component::im_background), (Box{683, 384, 5, 5})) << "centred as before";
}

TEST_F(LoadSkinTest, PicturesPastTheSkinsMemoryBudgetGetThePlaceholder) {
    skin.savePicture("skin", "big.png", test::solid(8, 8, Qt::blue), "PNG");  // 256 bytes
    skin.savePicture("skin", "small.png", test::solid(4, 4, Qt::red), "PNG"); // 64 bytes
    skin.writeConfig("", image(87, "big.png", 0, 0, 8, 8) + image(88, "big.png", 0, 0, 8, 8) +
                             image(89, "big.png", 0, 0, 8, 8) + image(90, "small.png", 0, 0, 8, 8));
    const auto report = LoadSkin(scene, host, ConfigFile::open(skin.configPath()), false, 600);
    EXPECT_FALSE(scene.hasPlaceholder(Component::im_hero_2));
    EXPECT_TRUE(scene.hasPlaceholder(Component::im_hero_3)) << "512 of 600 bytes were taken";
    EXPECT_FALSE(scene.hasPlaceholder(Component::im_miss_1)) << "a picture that fits still loads";
    ASSERT_EQ(host.pictureErrors.size(), 1u);
    EXPECT_EQ(host.pictureErrors, report.undecodablePictures);
    EXPECT_NE(host.pictureErrors[0].find("big.png: picture memory budget used up"),
              std::string::npos);
}

// Names from the file reach the file system byte for byte, in any encoding.
TEST_F(LoadSkinTest, FolderAndPictureNamesThatAreNotUtf8) {
    const std::string e = "\xe9"; // Latin-1, and no UTF-8 sequence on its own
    std::filesystem::create_directories(skin.skinDir() + "d" + e + "cor");
    skin.saveBytes("skin", "d" + e + "cor/h" + e + "ros.png",
                   pngBytes(test::solid(8, 8, Qt::blue)));
    std::ofstream(skin.configPath())
        << "[Common]\nSkinDir=" << skin.skinDir() << "d" << e << "cor\n"
        << image(87, "h" + e + "ros.png", 0, 0, 8, 8) << image(88, "H" + e + "ROS.PNG", 0, 0, 8, 8);
    const auto report = load(false);
    EXPECT_TRUE(report.missingPictures.empty() && report.undecodablePictures.empty());
    EXPECT_FALSE(scene.hasPlaceholder(Component::im_hero_1));
    EXPECT_FALSE(scene.hasPlaceholder(Component::im_hero_2)) << "letter case still ignored";
}

} // namespace
} // namespace skin
