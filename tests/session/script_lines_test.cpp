#include "session/script_lines.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tests/session/run_helpers.h"

namespace session {
namespace {

using testing::reportLines;
using testing::runText;

TEST(ScriptLines, TheLongestLineRunsAndOneByteMoreIsABadLine) {
    const std::string longest = "#" + std::string(kMaxScriptLineBytes - 1, 'x');
    auto fits = runText("power\n" + longest + "\nshow\n");
    EXPECT_EQ(fits.status, 0) << fits.err;
    EXPECT_EQ(reportLines(fits).size(), 1u);

    auto over = runText("power\n" + longest + "x\nshow\n");
    EXPECT_EQ(over.status, 2);
    EXPECT_EQ(over.err, "zemblor-headless: line 2: line longer than 1048576 bytes\n");
    EXPECT_TRUE(reportLines(over).empty()) << "the line after it ran";
}

TEST(ScriptLines, ALongLineIsReadNoFurtherThanTheLimit) {
    std::istringstream script(std::string(std::size_t{8} << 20, '\0'));
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(runScript(script, out, err, testing::defaultOptions()), 2);
    EXPECT_EQ(err.str(), "zemblor-headless: line 1: line longer than 1048576 bytes\n");
    const auto taken = script.rdbuf()->pubseekoff(0, std::ios::cur, std::ios::in);
    EXPECT_LE(taken, static_cast<std::streamoff>(kMaxScriptLineBytes + 1));
}

} // namespace
} // namespace session
