// The skin tool as a skin author runs it: exit status, report and the file it writes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <sys/wait.h>

#include "tests/skin/skin_fixture.h"

namespace skin {
namespace {

std::string contents(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

// The exit status; standard output and error are left in the skin folder.
int runPreview(const test::TestSkin& skin, const std::string& picture) {
    const std::string command = std::string("'") + SKIN_PREVIEW_EXE + "' --config '" +
                                skin.configPath() + "' '" + picture + "' >'" + skin.skinDir() +
                                "out.txt' 2>'" + skin.skinDir() + "err.txt'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SkinPreview, NamesAGameAreaWithoutPixelsAsTheError) {
    const test::TestSkin skin;
    skin.writeConfig("GameHeight=-5", "");
    EXPECT_EQ(runPreview(skin, skin.skinDir() + "face.png"), 1);
    const std::string cause = "no game area: GameWidth 560, GameHeight -5";
    EXPECT_NE(contents(skin.skinDir() + "err.txt").find(cause), std::string::npos);
    EXPECT_NE(contents(skin.skinDir() + "out.txt").find(cause), std::string::npos);
}

TEST(SkinPreview, WritesToAFileNameThatIsNotUtf8) {
    const test::TestSkin skin;
    skin.writeConfig("", "");
    const std::string picture = skin.skinDir() + "aper\xe7u.png";
    EXPECT_EQ(runPreview(skin, picture), 0);
    const QImage written = QImage::fromData(QByteArray::fromStdString(contents(picture)), "PNG");
    EXPECT_EQ(written.size(), QSize(560, 372)) << "the name is kept byte for byte";
}

} // namespace
} // namespace skin
