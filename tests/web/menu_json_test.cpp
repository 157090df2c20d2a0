#include <gtest/gtest.h>

#include <algorithm>

#include "web/core/menu_json.h"

namespace web {
namespace {

TEST(MenuJson, EveryItemInMenuOrderWithItsShortcutAndGameMenuRow) {
    const std::string json = menuItemsJson();
    EXPECT_EQ(std::count(json.begin(), json.end(), '{'), 13);
    EXPECT_TRUE(json.starts_with(
        R"([{"name":"pm_1_about","caption":"About...","shortcut":112,"checkable":false,)"
        R"("default":true,"separator":false,"gameMenuRow":[0,32,256,32]},)"))
        << json;
    EXPECT_NE(json.find(R"({"name":"pm_5_n1","caption":"-","shortcut":null,"checkable":false,)"
                        R"("default":false,"separator":true,"gameMenuRow":[0,160,256,32]})"),
              std::string::npos)
        << json;
    EXPECT_NE(json.find(R"("caption":"View 'Readme.txt'","shortcut":113,)"), std::string::npos);
    EXPECT_NE(json.find(R"("caption":"Display in fullscreen mode","shortcut":123,)"
                        R"("checkable":true,)"),
              std::string::npos);
    EXPECT_TRUE(json.ends_with(R"({"name":"pm_14_exit","caption":"Exit","shortcut":27,)"
                               R"("checkable":false,"default":false,"separator":false,)"
                               R"("gameMenuRow":[0,416,256,32]}])"))
        << json;
}

TEST(MenuJson, TicksFollowTheLayoutAndTheStoredSplashChoiceIntoTheRowTexts) {
    EXPECT_EQ(menuStateJson(true, false),
              R"({"ticked":[false,false,false,false,false,false,false,false,false,true,false,)"
              R"(false,false],"rowTexts":["   About...","   View 'Readme.txt'",)"
              R"("   View 'Whatsnew.txt'","   View manual","","   Edit configuration file",)"
              R"("   Key settings","   Reset Hiscores","","   Display in fullscreen mode [V]",)"
              R"("   Display splash screen at startup","","   Exit"]})");
    const std::string windowedSplash = menuStateJson(false, true);
    EXPECT_NE(windowedSplash.find(R"(false,true,false,false],)"), std::string::npos);
    EXPECT_NE(windowedSplash.find(R"("   Display in fullscreen mode",)"
                                  R"("   Display splash screen at startup [V]")"),
              std::string::npos)
        << windowedSplash;
}

} // namespace
} // namespace web
