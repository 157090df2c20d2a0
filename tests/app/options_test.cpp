#include <gtest/gtest.h>

#include <filesystem>

#include "app/options.h"

namespace {

using app::OptionsAction;
using app::parseOptions;

TEST(Options, ReadsEveryOption) {
    const auto parsed =
        parseOptions({"--settings", "s.ini", "--seed", "18446744073709551615", "--clock",
                      "2026-12-08 09:41:07", "--trace", "t.jsonl", "--record", "r.script"});
    ASSERT_EQ(parsed.action, OptionsAction::Run);
    EXPECT_EQ(parsed.options.settingsFile, "s.ini");
    EXPECT_EQ(parsed.options.seed, 18446744073709551615ull);
    EXPECT_EQ(parsed.options.clock, (session::DateTime{2026, 12, 8, 9, 41, 7}));
    EXPECT_EQ(parsed.options.traceFile, "t.jsonl");
    EXPECT_EQ(parsed.options.recordFile, "r.script");
    EXPECT_EQ(parseOptions({}).action, OptionsAction::Run);
    EXPECT_EQ(parseOptions({"--version"}).action, OptionsAction::Version);
    EXPECT_EQ(parseOptions({"--seed", "1", "--help"}).action, OptionsAction::Help);
}

TEST(Options, RejectsWhatItCannotRead) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--fullscreen"},
             {"game.ini"},
             {"--seed"},
             {"--seed", "-1"},
             {"--seed", "18446744073709551616"},
             {"--clock", "2026-02-30 10:00"},
             {"--clock", "10:00"},
             {"--trace", ""},
             {"--zoom", "0"},
             {"--zoom", "9"},
             {"--zoom", "10"},
             {"--zoom", "-1"},
             {"--zoom", "2x"},
             {"--zoom", " 2"},
         }) {
        const auto parsed = parseOptions(args);
        EXPECT_EQ(parsed.action, OptionsAction::Error) << args[0] << " " << args.back();
        EXPECT_FALSE(parsed.error.empty());
    }
}

TEST(Options, ZoomTakesEveryWholeNumberFromOneToEight) {
    for (int zoom = 1; zoom <= 8; ++zoom) {
        const auto parsed = parseOptions({"--zoom", std::to_string(zoom)});
        ASSERT_EQ(parsed.action, OptionsAction::Run) << zoom;
        EXPECT_EQ(parsed.options.zoom, zoom);
    }
    EXPECT_EQ(parseOptions({}).options.zoom, std::nullopt) << "the stored zoom then";
}

// The program changes its working directory to its own folder before it opens them, so every
// file named relative to where it was started must be made absolute first.
TEST(Options, RelativePathsAreTakenFromTheFolderTheProgramStartedIn) {
    namespace fs = std::filesystem;
    const fs::path started = fs::current_path();
    app::ProgramOptions options;
    options.settingsFile = "s.ini";
    options.traceFile = "out/t.jsonl";
    options.recordFile = "../r.script";
    app::makePathsAbsolute(options);
    EXPECT_EQ(options.settingsFile, (started / "s.ini").string());
    EXPECT_EQ(options.traceFile, (started / "out/t.jsonl").string());
    EXPECT_EQ(options.recordFile, (started / "../r.script").string());

    // Absolute paths and options not given stay as they are.
    app::ProgramOptions absolute;
    absolute.recordFile = "/tmp/r.script";
    app::makePathsAbsolute(absolute);
    EXPECT_EQ(absolute.recordFile, "/tmp/r.script");
    EXPECT_EQ(absolute.settingsFile, std::nullopt);
    EXPECT_EQ(absolute.traceFile, std::nullopt);
}

// The program makes its own folder its working directory: the help must not send the user
// to the data folder, and must name every option that is read.
TEST(Options, HelpSaysWhereFilesAreTakenFromAndNamesEveryOption) {
    const std::string usage = app::kUsage;
    EXPECT_EQ(usage.find("working directory"), std::string::npos) << usage;
    EXPECT_NE(usage.find("program's own folder, wherever it is started from"), std::string::npos)
        << usage;
    for (const char* option :
         {"--settings", "--seed", "--clock", "--trace", "--record", "--zoom", "--help"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
}

} // namespace
