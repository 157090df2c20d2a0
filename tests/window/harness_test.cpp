// Checks of the X session harness itself, against a probe window whose every pixel and event
// is known, so that a failure in the program's window tests can be trusted to be the program's.

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "x_session.h"

namespace {

using xtest::Millis;

// Packs pixel values as the server would: `bytesPerLine` to a row, in either byte order.
std::string packed(const xtest::PixelLayout& layout, const std::vector<std::uint32_t>& pixels) {
    std::string out;
    const int bytes = layout.bitsPerPixel / 8;
    for (int y = 0; y < layout.height; ++y) {
        std::string row;
        for (int x = 0; x < layout.width; ++x) {
            const auto pixel = pixels[static_cast<std::size_t>(y * layout.width + x)];
            for (int b = 0; b < bytes; ++b) {
                const int shift = layout.lsbFirst ? 8 * b : 8 * (bytes - 1 - b);
                row += static_cast<char>((pixel >> shift) & 0xff);
            }
        }
        row.resize(static_cast<std::size_t>(layout.bytesPerLine), '\x7f');
        out += row;
    }
    return out;
}

xtest::PixelLayout layout(int width, int height, int bitsPerPixel, int bytesPerLine,
                          bool lsbFirst) {
    xtest::PixelLayout layout;
    layout.width = width;
    layout.height = height;
    layout.bitsPerPixel = bitsPerPixel;
    layout.bytesPerLine = bytesPerLine;
    layout.lsbFirst = lsbFirst;
    return layout;
}

TEST(ZPixmapDecode, ReadsTrueColourPixelsInEitherByteOrderSkippingRowPadding) {
    const std::vector<std::uint32_t> pixels = {0x00ff0000, 0x0000ff00, 0x000000ff,
                                               0x00123456, 0x00ffffff, 0x00000000};
    for (bool lsb : {true, false}) {
        const auto format = layout(3, 2, 32, 16, lsb);
        const QImage image = xtest::decodeZPixmap(packed(format, pixels), format);
        ASSERT_FALSE(image.isNull()) << "lsb " << lsb;
        ASSERT_EQ(image.size(), QSize(3, 2));
        EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
        EXPECT_EQ(image.pixel(1, 0), qRgb(0, 255, 0));
        EXPECT_EQ(image.pixel(2, 0), qRgb(0, 0, 255));
        EXPECT_EQ(image.pixel(0, 1), qRgb(0x12, 0x34, 0x56));
        EXPECT_EQ(image.pixel(1, 1), qRgb(255, 255, 255));
        EXPECT_EQ(image.pixel(2, 1), qRgb(0, 0, 0));
    }
}

TEST(ZPixmapDecode, ScalesNarrowChannelsAndReadsPackedPixels) {
    auto rgb565 = layout(3, 1, 16, 8, true);
    rgb565.redMask = 0xf800;
    rgb565.greenMask = 0x07e0;
    rgb565.blueMask = 0x001f;
    const QImage narrow = xtest::decodeZPixmap(packed(rgb565, {0xf800, 0x07e0, 0x001f}), rgb565);
    ASSERT_FALSE(narrow.isNull());
    EXPECT_EQ(narrow.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(narrow.pixel(1, 0), qRgb(0, 255, 0));
    EXPECT_EQ(narrow.pixel(2, 0), qRgb(0, 0, 255));

    const auto threeBytes = layout(2, 1, 24, 8, false);
    const QImage tight = xtest::decodeZPixmap(packed(threeBytes, {0xa0b0c0, 0x010203}), threeBytes);
    ASSERT_FALSE(tight.isNull());
    EXPECT_EQ(tight.pixel(0, 0), qRgb(0xa0, 0xb0, 0xc0));
    EXPECT_EQ(tight.pixel(1, 0), qRgb(1, 2, 3));
}

TEST(ZPixmapDecode, RefusesWhatItCannotRead) {
    const auto format = layout(2, 2, 32, 8, true);
    const std::string data = packed(format, {1, 2, 3, 4});
    EXPECT_FALSE(xtest::decodeZPixmap(data, format).isNull());
    EXPECT_TRUE(xtest::decodeZPixmap(data.substr(0, data.size() - 1), format).isNull())
        << "data cut short";
    EXPECT_TRUE(xtest::decodeZPixmap(data, layout(2, 2, 32, 4, true)).isNull())
        << "rows shorter than their pixels";
    EXPECT_TRUE(xtest::decodeZPixmap(data, layout(2, 2, 8, 8, true)).isNull()) << "not true colour";
    auto noBlue = format;
    noBlue.blueMask = 0;
    EXPECT_TRUE(xtest::decodeZPixmap(data, noBlue).isNull());
}

TEST(WindowNames, MatchExactlyWithRegexCharactersTakenLiterally) {
    EXPECT_EQ(xtest::exactName("About this game..."), R"(^About this game\.\.\.$)");
    EXPECT_EQ(xtest::exactName("A (b, c) [d]"), R"(^A \(b, c\) \[d\]$)");
}

std::vector<std::string> readLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

bool contains(const std::vector<std::string>& lines, const std::string& wanted) {
    return std::find(lines.begin(), lines.end(), wanted) != lines.end();
}

class XSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/xtest-harness-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        log = dir + "/probe.log";
    }
    void TearDown() override {
        x.reset();
        std::filesystem::remove_all(dir);
    }

    std::string dir;
    std::string log;
    std::unique_ptr<xtest::XSession> x;
};

TEST_F(XSessionTest, DrivesAndReadsBackAShapedWindow) {
    constexpr int display = 88;
    x = std::make_unique<xtest::XSession>(xtest::XSession::Options{display, 640, 480, false});
    ASSERT_NO_THROW(x->start());
    const std::string lock = "/tmp/.X" + std::to_string(display) + "-lock";
    EXPECT_TRUE(std::filesystem::exists(lock));

    xtest::XSession second({display, 640, 480, false});
    EXPECT_THROW(second.start(), std::runtime_error) << "a display in use is refused";

    const QImage empty = x->capture();
    ASSERT_EQ(empty.size(), QSize(640, 480));
    EXPECT_EQ(empty.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(empty.pixel(639, 479), qRgb(255, 255, 255));

    x->launch({WINDOW_PROBE_EXE,
               {"Probe (one)...", "100", "80", "200", "150", "#c81e0a", log},
               dir,
               {},
               dir + "/probe.out"});
    EXPECT_TRUE(x->findWindows(xtest::exactName("Probe (one)"), false).empty());
    const auto window = x->waitForWindow(xtest::exactName("Probe (one)..."), Millis(15000));
    ASSERT_TRUE(window);
    const auto geometry = x->geometry(*window);
    ASSERT_TRUE(geometry);
    EXPECT_EQ(*geometry, (xtest::Geometry{100, 80, 200, 150, true}));
    EXPECT_TRUE(geometry->viewable);

    // The shape keeps the right half (x 200..299): the left half shows the root window and
    // passes the pointer on to it. (xwd would show the left half black.)
    QImage shot;
    const bool drawn = xtest::pollUntil(Millis(10000), [&] {
        shot = x->capture();
        return !shot.isNull() && shot.pixel(250, 100) == qRgb(0xc8, 0x1e, 0x0a);
    });
    ASSERT_TRUE(drawn) << "the probe window was never drawn";
    EXPECT_EQ(shot.pixel(200, 80), qRgb(0xc8, 0x1e, 0x0a));
    EXPECT_EQ(shot.pixel(299, 229), qRgb(0xc8, 0x1e, 0x0a));
    EXPECT_EQ(shot.pixel(199, 80), qRgb(255, 255, 255));
    EXPECT_EQ(shot.pixel(300, 100), qRgb(255, 255, 255));
    EXPECT_EQ(shot.pixel(250, 79), qRgb(255, 255, 255));
    EXPECT_EQ(x->windowAt(250, 100), window);
    EXPECT_EQ(x->windowAt(150, 100), x->rootWindow());
    EXPECT_NE(x->rootWindow(), 0u);

    ASSERT_TRUE(x->focus(*window));
    x->keyDown("a");
    x->keyUp("a");
    x->mouseMove(250, 100);
    x->mouseDown(1);
    x->mouseUp(1);
    const bool seen = xtest::pollUntil(Millis(10000), [&] {
        const auto lines = readLines(log);
        return contains(lines, "keyup a") && contains(lines, "press 150 20 1");
    });
    EXPECT_TRUE(seen);
    EXPECT_EQ(readLines(log), (std::vector<std::string>{"keydown a", "keyup a", "press 150 20 1"}));

    auto& badArgs = x->launch({WINDOW_PROBE_EXE, {"too few"}, dir, {}, {}});
    const auto status = badArgs.waitExit(Millis(15000));
    ASSERT_TRUE(status);
    EXPECT_TRUE(status->exited);
    EXPECT_EQ(status->code, 2);

    x->stop();
    EXPECT_FALSE(std::filesystem::exists(lock)) << "the server removes its lock when stopped";
}

TEST(ChildProcess, ReportsExitStatusAndStopsWhatIgnoresTermination) {
    xtest::Child quick({"sh", {"-c", "exit 7"}, {}, {}, {}});
    const auto status = quick.waitExit(Millis(10000));
    ASSERT_TRUE(status);
    EXPECT_EQ(status->describe(), "exit status 7");

    // A child that ignores SIGTERM and leaves a grandchild: stop() ends both.
    xtest::Child stubborn({"sh", {"-c", "trap '' TERM; sleep 300 & wait"}, {}, {}, {}});
    EXPECT_FALSE(stubborn.waitExit(Millis(200)));
    const pid_t group = stubborn.pid();
    stubborn.stop(Millis(300));
    EXPECT_FALSE(stubborn.running());
    const bool groupGone = xtest::pollUntil(Millis(5000), [&] { return kill(-group, 0) != 0; });
    EXPECT_TRUE(groupGone) << "a grandchild survived";

    EXPECT_THROW(xtest::Child({"/nonexistent/program", {}, {}, {}, {}}), std::runtime_error);
    EXPECT_THROW(xtest::Child({"sh", {}, "/nonexistent/dir", {}, {}}), std::runtime_error);
}

TEST(ToolRuns, CollectOutputAndGiveUpOnTimeout) {
    const auto echo = xtest::runTool({"sh", "-c", "printf '%s' \"$XTEST_VALUE\"; exit 3"},
                                     {{"XTEST_VALUE", "seen"}});
    EXPECT_EQ(echo.status, 3);
    EXPECT_EQ(echo.out, "seen");
    const auto slow = xtest::runTool({"sleep", "30"}, {}, Millis(200));
    EXPECT_EQ(slow.status, -1);
}

} // namespace
