#include <gtest/gtest.h>

#include "manual/manual_loader.h"
#include "skin/scene.h"
#include "tests/manual/manual_book.h"

namespace manual {

using skin::placeholderPicture;
namespace {

using test::TempBook;

TEST(LoadManual, TakesSizesAndPagesOneToEightWithPlaceholdersForTheMissing) {
    TempBook book;
    book.writeConfig("ManualWidth=600\nManualHeight=$190\n");
    for (int p : {1, 2, 4, 6, 7}) {
        book.savePage(std::to_string(p) + ".bmp", TempBook::pageColour(p), {30 + p, 20});
    }
    book.savePage("03.bmp", Qt::blue); // no leading zeros
    book.savePage("5.BMP", TempBook::pageColour(5));
    book.savePage("8.png", Qt::blue); // pages are bitmaps only
    std::ofstream(book.root() / "pages" / "6.bmp") << "not a bitmap";
    const Manual manual = LoadManual(book.configPath());

    EXPECT_EQ(manual.clientSize, QSize(600, 400));
    for (int p : {1, 2, 4, 5, 7}) {
        EXPECT_EQ(manual.pages[p - 1].pixelColor(0, 0), TempBook::pageColour(p)) << p;
        EXPECT_EQ(manual.pages[p - 1].size(), p == 5 ? QSize(600, 400) : QSize(30 + p, 20));
    }
    const QImage placeholder = placeholderPicture().image.convertToFormat(QImage::Format_RGB32);
    for (int p : {3, 6, 8}) {
        EXPECT_EQ(manual.pages[p - 1], placeholder) << p;
    }
    EXPECT_EQ(manual.pictureErrors.size(), 1u) << "the undecodable page 6";
}

TEST(LoadManual, WithoutConfigurationTakesTheDefaultsUnderTheWorkingDirectory) {
    TempBook book;
    std::filesystem::create_directories(book.root() / "Graphics/Manual");
    QImage page(5, 5, QImage::Format_RGB32);
    page.fill(Qt::green);
    page.save(QString::fromStdString((book.root() / "Graphics/Manual/2.bmp").string()), "BMP");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(book.root());
    const Manual manual = LoadManual(book.configPath());
    std::filesystem::current_path(previous);
    EXPECT_EQ(manual.clientSize, QSize(415, 270));
    EXPECT_EQ(manual.pages[1].pixelColor(2, 2), QColor(Qt::green));
    EXPECT_EQ(manual.pages[0].size(), QSize(10, 10));
}

// The pages share one budget of decoded memory: a page past what is left gets the placeholder
// and is reported, and a later page that still fits loads.
TEST(LoadManual, PagesShareOneBudgetOfPictureMemory) {
    TempBook book;
    book.writeConfig("");
    for (int p : {1, 2, 3}) {
        book.savePage(std::to_string(p) + ".bmp", TempBook::pageColour(p), {10, 10}); // 400 bytes
    }
    book.savePage("4.bmp", TempBook::pageColour(4), {5, 5}); // 100 bytes
    const Manual manual = LoadManual(book.configPath(), 1000);
    for (int p : {1, 2, 4}) {
        EXPECT_EQ(manual.pages[p - 1].pixelColor(0, 0), TempBook::pageColour(p)) << p;
    }
    EXPECT_EQ(manual.pages[2], placeholderPicture().image.convertToFormat(QImage::Format_RGB32));
    ASSERT_EQ(manual.pictureErrors.size(), 1u);
    EXPECT_NE(manual.pictureErrors[0].find("3.bmp: picture memory budget used up"),
              std::string::npos)
        << manual.pictureErrors[0];
}

} // namespace
} // namespace manual
