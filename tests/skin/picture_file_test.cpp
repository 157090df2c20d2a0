#include "skin/picture.h"
#include "tests/skin/picture_builders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace skin::test {
namespace {

namespace fs = std::filesystem;

class PictureFileTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("picture-file-test-" +
                   std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                   testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string write(const std::string& name, const Bytes& bytes) {
        const fs::path path = folder_ / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }

    fs::path folder_;
};

Bytes tinyPng() {
    PngSpec spec;
    spec.colorType = 6;
    spec.sample = [](int x, int, int c) { return c == 3 ? (x == 0 ? 0 : 255) : 100; };
    return writePng(spec);
}

Bytes tinyJpeg() {
    JpegSpec spec;
    spec.width = 8;
    spec.height = 8;
    spec.pixel = [](int, int) { return std::vector<std::uint8_t>{0, 0, 255}; };
    return writeJpeg(spec);
}

Bytes tinyBmp() {
    BmpSpec spec;
    spec.width = 1;
    spec.height = 1;
    spec.pixels = {0x30, 0x20, 0x10, 0};
    return buildBmp(spec);
}

TEST_F(PictureFileTest, ExtensionChoosesTheDecoderWhateverItsCase) {
    const auto png = loadPictureFile(write("Hero.PnG", tinyPng()));
    ASSERT_TRUE(png.picture) << png.error;
    EXPECT_EQ(png.picture->format, PictureFormat::Png);
    EXPECT_EQ(qAlpha(png.picture->image.pixel(0, 0)), 0);

    for (const char* name : {"face.jpg", "FACE.JPEG"}) {
        const auto jpeg = loadPictureFile(write(name, tinyJpeg()));
        ASSERT_TRUE(jpeg.picture) << jpeg.error;
        EXPECT_EQ(jpeg.picture->format, PictureFormat::Jpeg);
        EXPECT_GT(qBlue(jpeg.picture->image.pixel(4, 4)), 240);
    }

    const auto bmp = loadPictureFile(write("Digit.Bmp", tinyBmp()));
    ASSERT_TRUE(bmp.picture) << bmp.error;
    EXPECT_EQ(bmp.picture->format, PictureFormat::Bitmap);
    EXPECT_EQ(bmp.picture->image.pixel(0, 0), qRgb(0x10, 0x20, 0x30));
}

TEST_F(PictureFileTest, LyingExtensionIsAClearError) {
    const std::string path = write("hero.jpg", tinyPng());
    const auto result = loadPictureFile(path);
    EXPECT_FALSE(result.picture);
    EXPECT_EQ(result.error, path + ": not a JPEG file");
    EXPECT_EQ(loadPictureFile(write("face.png", tinyBmp())).error.find("not a PNG file") !=
                  std::string::npos,
              true);
    EXPECT_NE(loadPictureFile(write("face.bmp", tinyJpeg())).error.find("not a bitmap file"),
              std::string::npos);
}

TEST_F(PictureFileTest, UnknownExtensionMissingAndEmptyFilesNameThePath) {
    const std::string gif = write("hero.gif", tinyPng());
    EXPECT_EQ(loadPictureFile(gif).error,
              gif + ": unknown picture format (not .bmp, .png, .jpg or .jpeg)");
    const std::string noExtension = write("png", tinyPng());
    EXPECT_FALSE(loadPictureFile(noExtension).picture);

    const std::string missing = (folder_ / "missing.png").string();
    EXPECT_EQ(loadPictureFile(missing).error, missing + ": cannot open the file");

    const std::string empty = write("empty.bmp", {});
    EXPECT_EQ(loadPictureFile(empty).error, empty + ": empty file");

    const fs::path folderNamedLikeAPicture = folder_ / "folder.png";
    fs::create_directory(folderNamedLikeAPicture);
    const auto folderResult = loadPictureFile(folderNamedLikeAPicture.string());
    EXPECT_FALSE(folderResult.picture);
    EXPECT_EQ(folderResult.error.rfind(folderNamedLikeAPicture.string(), 0), 0u);
}

} // namespace
} // namespace skin::test
