#include <gtest/gtest.h>

#include <algorithm>

#include "web/core/dialog_json.h"

namespace web {
namespace {

using dialogs::kNoKey;

TEST(DialogJson, TheFortyFourListRowsInListOrder) {
    const std::string json = keyNamesJson();
    EXPECT_EQ(std::count(json.begin(), json.end(), ','), 43);
    EXPECT_TRUE(json.starts_with(R"(["0","1","2",)")) << json;
    EXPECT_NE(json.find(R"("9","A","B",)"), std::string::npos);
    EXPECT_TRUE(json.ends_with(R"("Z","<UP ARROW>","<DOWN ARROW>","<LEFT ARROW>",)"
                               R"("<RIGHT ARROW>","<ALT>","<CTRL>","<SHIFT>","<SPACEBAR>"])"))
        << json;
}

TEST(DialogJson, SelectionsAndConflictsPerSlot) {
    EXPECT_EQ(keySelectionsJson({1, 2, kNoKey, 38, 39}), "[1,2,-1,38,39]");
    EXPECT_EQ(keyCheckJson({1, 2, 3, 38, 39}),
              R"({"conflict":[false,false,false,false,false],"acceptAvailable":true})");
    EXPECT_EQ(keyCheckJson({1, 2, 1, kNoKey, kNoKey}),
              R"({"conflict":[true,false,true,true,true],"acceptAvailable":false})");
    EXPECT_EQ(keyCheckJson({kNoKey, 2, 3, 38, 39}),
              R"({"conflict":[false,false,false,false,false],"acceptAvailable":true})");
}

TEST(DialogJson, AboutBoxRowsAndLinksShownWithoutTheirScheme) {
    const std::string json = aboutJson();
    EXPECT_TRUE(json.starts_with(R"({"title":"About the author...","details":[)"
                                 R"({"captionName":"la_name_1","caption":"Name:",)"
                                 R"("valueName":"la_name_2","value":"The Zemblor team",)"
                                 R"("italic":false},)"))
        << json;
    EXPECT_NE(json.find(R"("value":"winding clocks","italic":true}],"links":[)"), std::string::npos)
        << json;
    EXPECT_TRUE(json.ends_with(
        R"({"captionName":"la_website_1","caption":"Website:","linkName":"la_website_2",)"
        R"("text":"zemblor.example.org/sim/","address":"https://zemblor.example.org/sim/"},)"
        R"({"captionName":"la_email_1","caption":"Email:","linkName":"la_email_2",)"
        R"("text":"team@zemblor.example.org","address":"mailto:team@zemblor.example.org"}]})"))
        << json;
}

} // namespace
} // namespace web
