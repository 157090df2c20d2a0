// Checks the program's data folder as shipped: every picture Config.ini names is there and
// decodes, fits its box, no box leaves the device, the powered-on device shows no
// missing-picture placeholder in either layout, and a held button looks held.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "device/device.h"
#include "skin/components.h"
#include "skin/config_file.h"
#include "skin/load_skin.h"
#include "skin/picture.h"
#include "skin/scene.h"
#include "skin/scene_display.h"

namespace {

namespace fs = std::filesystem;

const fs::path kAssets = ZEMBLOR_ASSETS_DIR;

// A folder value of Config.ini ("Graphics\Skin\") as a path under the data folder.
fs::path folder(const std::string& value) {
    std::string p = value;
    for (char& c : p) {
        if (c == '\\') {
            c = '/';
        }
    }
    return kAssets / p;
}

skin::Picture decoded(const fs::path& file) {
    const skin::PictureResult result = skin::loadPictureFile(file.string());
    EXPECT_TRUE(result.picture.has_value()) << file << ": " << result.error;
    return result.picture.value_or(skin::Picture{QImage(), skin::PictureFormat::Png});
}

class AssetsTest : public ::testing::Test {
protected:
    skin::ConfigFile config = skin::ConfigFile::open((kAssets / "Config.ini").string());
    int gameWidth = config.readInt("Common", "GameWidth", 560);
    int gameHeight = config.readInt("Common", "GameHeight", 372);
    fs::path skinDir = folder(config.readText("Common", "SkinDir", "Graphics\\Skin\\"));

    std::string section(int n) const { return "Image" + std::to_string(n); }
    std::string filename(int n) const { return config.readText(section(n), "Filename", ""); }
};

TEST_F(AssetsTest, EverySkinPictureExistsDecodesAndFitsItsBoxInsideTheDevice) {
    ASSERT_TRUE(fs::exists(kAssets / "Config.ini"));
    EXPECT_EQ(gameWidth, 560);
    EXPECT_EQ(gameHeight, 372);
    int pictures = 0;
    for (int n = 1; n <= skin::kSkinImageCount; ++n) {
        SCOPED_TRACE(section(n) + " " + std::string(skin::componentInfo(skin::skinImage(n)).name));
        const int left = config.readInt(section(n), "Left", 0);
        const int top = config.readInt(section(n), "Top", 0);
        const int width = config.readInt(section(n), "Width", 0);
        const int height = config.readInt(section(n), "Height", 0);
        EXPECT_GT(width, 0);
        EXPECT_GT(height, 0);
        EXPECT_GE(left, 0);
        EXPECT_GE(top, 0);
        EXPECT_LE(left + width, gameWidth);
        EXPECT_LE(top + height, gameHeight);

        const std::string name = filename(n);
        if (name.empty() || name == "nil") {
            continue;
        }
        ++pictures;
        const fs::path file = skinDir / name;
        ASSERT_TRUE(fs::exists(file)) << file;
        const skin::Picture picture = decoded(file);
        EXPECT_LE(picture.image.width(), width);
        EXPECT_LE(picture.image.height(), height);
    }
    // Only the four digit positions go without a picture of their own.
    EXPECT_EQ(pictures, skin::kSkinImageCount - 4);
}

TEST_F(AssetsTest, TheFaceHasAHardEdgedOutlineForTheSeeThroughWindow) {
    const QImage face = decoded(skinDir / filename(1)).image;
    ASSERT_EQ(face.size(), QSize(gameWidth, gameHeight));
    int halfTransparent = 0;
    for (int y = 0; y < face.height(); ++y) {
        for (int x = 0; x < face.width(); ++x) {
            const int alpha = qAlpha(face.pixel(x, y));
            halfTransparent += alpha != 0 && alpha != 255;
        }
    }
    EXPECT_EQ(halfTransparent, 0) << "a blended edge shows a fringe of the key colour";
    EXPECT_EQ(qAlpha(face.pixel(0, 0)), 0) << "the rounded corner is outside the device";
    EXPECT_EQ(qAlpha(face.pixel(face.width() - 1, face.height() - 1)), 0);
    EXPECT_EQ(qAlpha(face.pixel(face.width() / 2, face.height() / 2)), 255);
}

TEST_F(AssetsTest, FullScreenManualAndDialogPicturesAreThereAtTheirSizes) {
    const fs::path backdrops = folder(config.readText("Fullscreen", "BackdropDir", ""));
    const skin::Picture backdrop =
        decoded(backdrops / config.readText("Fullscreen", "BackdropFile", "nil"));
    EXPECT_EQ(backdrop.format, skin::PictureFormat::Jpeg);
    EXPECT_GE(backdrop.image.width(), 1920);
    EXPECT_GE(backdrop.image.height(), 1080);
    const skin::Picture logo =
        decoded(backdrops / config.readText("Fullscreen", "LogoFile", "nil"));
    EXPECT_EQ(logo.format, skin::PictureFormat::Png);
    EXPECT_LE(logo.image.width(), 1920 / 2);

    const fs::path manual = folder(config.readText("Manual", "ManualDir", "Graphics\\Manual\\"));
    const QSize page(config.readInt("Manual", "ManualWidth", 415),
                     config.readInt("Manual", "ManualHeight", 270));
    EXPECT_EQ(page, QSize(415, 270));
    for (int p = 1; p <= 8; ++p) {
        const skin::Picture picture = decoded(manual / (std::to_string(p) + ".bmp"));
        EXPECT_EQ(picture.format, skin::PictureFormat::Bitmap) << "page " << p;
        EXPECT_EQ(picture.image.size(), page) << "page " << p;
    }

    const std::map<std::string, QSize> dialogs = {
        {"splash_background.png", {460, 420}},
        {"splash_box.png", {460, 160}},
        {"play.png", {107, 30}},
        {"play_disabled.png", {107, 30}},
        {"donate.png", {107, 30}},
        {"about.png", {116, 160}},
    };
    for (const auto& [file, size] : dialogs) {
        EXPECT_EQ(decoded(kAssets / "Graphics" / "Dialogs" / file).image.size(), size) << file;
    }
    for (const char* document : {"Readme.txt", "Whatsnew.txt"}) {
        EXPECT_GT(fs::file_size(kAssets / document), 0u) << document;
    }
}

class NullHost : public skin::SkinHost {
public:
    QSize screenSize() const override { return {1920, 1080}; }
    void setClientSize(QSize) override {}
    void setBackgroundColour(QColor) override {}
    void setColourKey(std::optional<QColor>) override {}
    void showError(const std::string& text) override { errors.push_back(text); }
    void requestTerminate() override { terminated = true; }
    void pictureError(const std::string& text) override { errors.push_back(text); }

    std::vector<std::string> errors;
    bool terminated = false;
};

class SilentSound : public device::SoundPlayer {
public:
    void play(device::Sample) override {}
};

class EmptySettings : public device::Settings {
public:
    int readInt(std::string_view, int defaultValue) override { return defaultValue; }
    bool readBool(std::string_view, bool defaultValue) override { return defaultValue; }
    void writeInt(std::string_view, int) override {}
    void writeBool(std::string_view, bool) override {}
};

class FixedClock : public device::LocalClock {
public:
    device::LocalTime now() override { return {10, 8, 1, 1}; }
};

class NoSpawnRandom : public device::RandomSource {
public:
    int draw() override { return 1; }
};

// The skin loader takes picture folders from the working directory, as the program does.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const fs::path& dir) : previous_(fs::current_path()) {
        fs::current_path(dir);
    }
    ~WorkingDirectory() { fs::current_path(previous_); }

private:
    fs::path previous_;
};

// The shipped skin loaded as the program loads it, and a device powered on over it.
struct PoweredDevice {
    explicit PoweredDevice(bool fullscreen) {
        const WorkingDirectory inAssets(kAssets);
        report = skin::LoadSkin(scene, host, (kAssets / "Config.ini").string(), fullscreen);
        device.startUp();
        device.powerOn();
    }

    skin::Scene scene;
    NullHost host;
    skin::SkinLoadReport report;
    skin::SceneDisplay display{scene};
    SilentSound sound;
    EmptySettings settings;
    FixedClock clock;
    NoSpawnRandom random;
    device::Device device{device::Ports{display, sound, settings, clock, random}};
};

void expectPoweredOnWithoutPlaceholders(bool fullscreen) {
    SCOPED_TRACE(fullscreen ? "full screen" : "windowed");
    const PoweredDevice powered(fullscreen);
    const skin::Scene& scene = powered.scene;
    EXPECT_FALSE(powered.report.configMissing);
    EXPECT_TRUE(powered.report.missingPictures.empty()) << powered.report.missingPictures.front();
    EXPECT_TRUE(powered.report.undecodablePictures.empty())
        << powered.report.undecodablePictures.front();
    EXPECT_TRUE(powered.host.errors.empty());
    EXPECT_FALSE(powered.host.terminated);

    for (std::size_t i = 0; i < skin::kComponentCount; ++i) {
        const auto c = static_cast<skin::Component>(i);
        EXPECT_FALSE(scene.hasPlaceholder(c)) << skin::componentInfo(c).name;
    }
    // The test picture: every segment of the LCD is lit and has a picture to show.
    for (const device::Segment segment : device::ItemPictures) {
        const skin::Component c = skin::componentForSegment(segment);
        EXPECT_TRUE(scene.isShown(c) && scene.hasPicture(c)) << skin::componentInfo(c).name;
    }
    for (const skin::Component c :
         {skin::Component::im_panel_digit_pos_1, skin::Component::im_panel_digit_pos_4,
          skin::Component::im_hero_2, skin::Component::im_item_right_4}) {
        EXPECT_TRUE(scene.isShown(c) && scene.hasPicture(c)) << skin::componentInfo(c).name;
    }
    EXPECT_FALSE(scene.render().isNull());
}

TEST(AssetsPreview, PoweredOnDeviceShowsNoPlaceholderInEitherLayout) {
    expectPoweredOnWithoutPlaceholders(false);
    expectPoweredOnWithoutPlaceholders(true);
}

struct ButtonBox {
    const char* name;
    device::Button button;
    skin::Component top;
};

const ButtonBox kButtons[] = {
    {"GAME A", device::Button::GameA, skin::Component::btn_game_a_top},
    {"GAME B", device::Button::GameB, skin::Component::btn_game_b_top},
    {"TIME", device::Button::Time, skin::Component::btn_time_top},
    {"LEFT", device::Button::Left, skin::Component::btn_left_top},
    {"RIGHT", device::Button::Right, skin::Component::btn_right_top},
};

QImage boxOf(const skin::Scene& scene, skin::Component c) {
    const skin::Box b = scene.box(c);
    return scene.render().copy(b.left, b.top, b.width, b.height);
}

int largestChannelStep(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

double meanGrey(const QImage& image) {
    double sum = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            sum += qGray(image.pixel(x, y));
        }
    }
    return sum / (image.width() * image.height());
}

// Drawn in the window's order (each pressed picture under its released one), a held button
// must look held: most of its box changes clearly, it sinks into shadow, and the release
// gives back the released look.
TEST(AssetsButtons, AHeldButtonLooksPressedInEitherLayoutAndReleasedAgainAfter) {
    for (const bool fullscreen : {false, true}) {
        PoweredDevice powered(fullscreen);
        for (const ButtonBox& b : kButtons) {
            SCOPED_TRACE(std::string(b.name) + (fullscreen ? ", full screen" : ", windowed"));
            const QImage released = boxOf(powered.scene, b.top);
            ASSERT_FALSE(released.isNull());
            powered.device.press(b.button);
            const QImage held = boxOf(powered.scene, b.top);
            powered.device.release(b.button);
            const QImage releasedAgain = boxOf(powered.scene, b.top);

            int clear = 0;
            for (int y = 0; y < held.height(); ++y) {
                for (int x = 0; x < held.width(); ++x) {
                    clear += largestChannelStep(released.pixel(x, y), held.pixel(x, y)) >= 24;
                }
            }
            const int pixels = held.width() * held.height();
            EXPECT_GE(clear * 100, pixels * 40)
                << clear << " of " << pixels << " pixels change clearly when held";
            EXPECT_LT(meanGrey(held), meanGrey(released) - 8) << "a held cap lies in shadow";
            EXPECT_EQ(releasedAgain, released);
        }
    }
}

} // namespace
