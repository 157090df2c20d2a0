#include <gtest/gtest.h>

#include <fstream>

#include "skin/picture_budget.h"
#include "tests/skin/skin_fixture.h"

namespace skin {
namespace {

class PictureBudgetTest : public testing::Test {
protected:
    std::string picture(const std::string& name, int w, int h) {
        skin.savePicture("skin", name, test::solid(w, h, Qt::green), "PNG");
        return skin.skinDir() + name;
    }
    test::TestSkin skin;
};

TEST_F(PictureBudgetTest, EachLoadedPictureTakesFourBytesAPixelOfWhatIsLeft) {
    PictureBudget budget(1000);
    EXPECT_EQ(budget.left(), 1000u);
    ASSERT_TRUE(budget.load(picture("a.png", 5, 7)).picture);
    EXPECT_EQ(budget.left(), 1000u - 140u);
    ASSERT_TRUE(budget.load(picture("b.png", 3, 1)).picture);
    EXPECT_EQ(budget.left(), 1000u - 152u);
}

TEST_F(PictureBudgetTest, APicturePastWhatIsLeftIsRefusedAndTakesNothing) {
    PictureBudget budget(300);
    const std::string big = picture("big.png", 8, 8); // 256 bytes
    ASSERT_TRUE(budget.load(big).picture);
    const PictureResult refused = budget.load(big);
    EXPECT_FALSE(refused.picture);
    EXPECT_NE(refused.error.find("big.png: picture memory budget used up"), std::string::npos)
        << refused.error;
    EXPECT_EQ(budget.left(), 44u);

    std::ofstream(skin.skinDir() + "broken.png") << "not a picture";
    EXPECT_FALSE(budget.load(skin.skinDir() + "broken.png").picture);
    EXPECT_FALSE(budget.load(skin.skinDir() + "missing.png").picture);
    EXPECT_EQ(budget.left(), 44u) << "nothing decoded, nothing taken";

    // Exactly what is left still fits, and then nothing more does.
    ASSERT_TRUE(budget.load(picture("rest.png", 11, 1)).picture);
    EXPECT_EQ(budget.left(), 0u);
    EXPECT_FALSE(budget.load(picture("dot.png", 1, 1)).picture);
}

} // namespace
} // namespace skin
