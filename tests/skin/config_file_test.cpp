#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>
#include <unistd.h>

#include "skin/config_file.h"
#include "skin/config_values.h"
#include "skin/path_case.h"

namespace skin {
namespace {

TEST(ConfigFile, ReadsLikeThePrivateProfileFunctions) {
    const ConfigFile file = ConfigFile::fromText("\xEF\xBB\xBF"
                                                 "orphan=before any section\r\n"
                                                 "[common]\r\n"
                                                 "  gamewidth =  561  \r\n"
                                                 "SkinDir=\"Graphics\\Skin\\\"\r\n"
                                                 "Quoted='half\"\r\n"
                                                 "GameWidth=999\r\n"
                                                 "; a comment line\n"
                                                 "[ Fullscreen ]\n"
                                                 "BgColor=$00112233\n"
                                                 "[COMMON]\n"
                                                 "GameHeight=400\n");
    EXPECT_EQ(file.readInt("Common", "GameWidth", 560), 561) << "first key wins, case ignored";
    EXPECT_EQ(file.readText("Common", "SkinDir", ""), "Graphics\\Skin\\") << "quotes removed";
    EXPECT_EQ(file.readText("Common", "Quoted", ""), "'half\"") << "quotes must match";
    EXPECT_EQ(file.readInt("Common", "GameHeight", 372), 372)
        << "a later duplicate section is not read";
    EXPECT_EQ(file.readText("fullscreen", "bgcolor", ""), "$00112233");
    EXPECT_EQ(file.readText("Common", "orphan", "none"), "none");
    EXPECT_EQ(file.readText("Manual", "ManualDir", "Graphics\\Manual\\"), "Graphics\\Manual\\");
}

TEST(ConfigFile, EndsALineAtCrLfLfOrALoneCr) {
    const auto lines = [](const std::string& eol) {
        return "[Common]" + eol + "GameWidth=561" + eol + "SkinDir=a b" + eol + "[VideoMode]" +
               eol + "TranspColor=$00ff0000" + eol;
    };
    for (const std::string& text :
         {lines("\n"), lines("\r\n"), lines("\r"),
          std::string(
              "[Common]\rGameWidth=561\r\nSkinDir=a b\n\r[VideoMode]\rTranspColor=$00ff0000")}) {
        const ConfigFile file = ConfigFile::fromText(text);
        EXPECT_EQ(file.readInt("Common", "GameWidth", 560), 561);
        EXPECT_EQ(file.readText("Common", "SkinDir", ""), "a b");
        EXPECT_EQ(file.readText("VideoMode", "TranspColor", ""), "$00ff0000");
    }
}

TEST(ConfigFile, CountsAtMost2047CharactersOfAValue) {
    const std::string longValue(3000, 'a');
    const ConfigFile file = ConfigFile::fromText("[Image1]\nFilename=" + longValue + "\n");
    EXPECT_EQ(file.readText("Image1", "Filename", "").size(), 2047u);
}

TEST(ConfigFile, AMissingFileReadsAsEmpty) {
    const ConfigFile file = ConfigFile::open("/nonexistent/Config.ini");
    EXPECT_EQ(file.readInt("Common", "GameWidth", 560), 560);
}

TEST(SkinValues, IntegersInDecimalAndHexadecimal) {
    EXPECT_EQ(parseSkinInt("20"), 20);
    EXPECT_EQ(parseSkinInt("  -20"), -20);
    EXPECT_EQ(parseSkinInt("+5"), 5);
    EXPECT_EQ(parseSkinInt("$20"), 32);
    EXPECT_EQ(parseSkinInt("0x20"), 32);
    EXPECT_EQ(parseSkinInt("0X1f"), 31);
    EXPECT_EQ(parseSkinInt("$FFFFFFFF"), -1);
    EXPECT_EQ(parseSkinInt("-2147483648"), INT32_MIN);
    for (const char* bad :
         {"", "20px", "$", "0x", "$G0", "2147483648", "$100000000", "1 2", "Center"}) {
        EXPECT_FALSE(parseSkinInt(bad).has_value()) << "'" << bad << "'";
    }
}

TEST(SkinValues, ColoursAreBlueGreenRed) {
    EXPECT_EQ(parseSkinColour("$00ff00ff", "$0"), (Rgb{255, 0, 255}));
    EXPECT_EQ(parseSkinColour("$00332211", "$0"), (Rgb{0x11, 0x22, 0x33}));
    EXPECT_EQ(parseSkinColour("255", "$0"), (Rgb{255, 0, 0}));
    EXPECT_EQ(parseSkinColour("magenta", "$00ff00ff"), (Rgb{255, 0, 255})) << "falls back";
}

TEST(SkinValues, FoldersFileNamesAndOffsets) {
    EXPECT_EQ(skinFolder("Graphics\\Skin"), "Graphics/Skin/");
    EXPECT_EQ(skinFolder("Graphics\\Skin\\"), "Graphics/Skin/");
    EXPECT_EQ(skinFolder("/opt/skins/a/"), "/opt/skins/a/");
    EXPECT_EQ(skinFolder(""), "");

    EXPECT_FALSE(namesPicture(""));
    EXPECT_FALSE(namesPicture("nil"));
    EXPECT_TRUE(namesPicture("NIL"));
    EXPECT_TRUE(namesPicture("hero.png"));

    EXPECT_FALSE(skinOffset("Center").has_value());
    EXPECT_FALSE(skinOffset("0").has_value());
    EXPECT_FALSE(skinOffset("abc").has_value());
    EXPECT_EQ(skinOffset("1"), 1);
    EXPECT_EQ(skinOffset("-20"), -20);
}

TEST(PathCase, FindsAFileWhoseNameDiffersOnlyInLetterCase) {
    namespace fs = std::filesystem;
    const fs::path root =
        fs::temp_directory_path() / ("zemblor-case-" + std::to_string(::getpid()));
    fs::create_directories(root / "Graphics" / "Skin");
    std::ofstream(root / "Graphics" / "Skin" / "Hero.PNG") << "x";

    const std::string exact = (root / "Graphics" / "Skin" / "Hero.PNG").string();
    EXPECT_EQ(findFileIgnoringCase(exact), exact);
    EXPECT_EQ(findFileIgnoringCase((root / "graphics" / "SKIN" / "hero.png").string()), exact);
    EXPECT_FALSE(findFileIgnoringCase((root / "graphics" / "skin" / "villain.png").string()));
    EXPECT_FALSE(findFileIgnoringCase((root / "graphics").string())) << "a folder is no picture";
    fs::remove_all(root);
}

} // namespace
} // namespace skin
