#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QTemporaryDir>

#include "app/output_file.h"
#include "app/output_paths.h"

namespace {

namespace fs = std::filesystem;
using app::GuardedFile;
using app::OutputFile;
using app::outputPathsRefusal;

class OutputPaths : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        folder = fs::path(dir_.path().toStdString());
        fs::create_directories(folder / "sub");
        std::ofstream(folder / "settings.ini") << "[General]\nHiScore1=120\n";
        std::ofstream(folder / "Config.ini") << "[Common]\n";
    }
    std::string at(const std::string& name) const { return (folder / name).string(); }
    std::vector<GuardedFile> guarded() const {
        return {{at("settings.ini"), "the settings file"},
                {at("Config.ini"), "the program's configuration file"}};
    }

    QTemporaryDir dir_;
    fs::path folder;
};

TEST_F(OutputPaths, AnOutputOverAFileTheProgramReadsIsRefusedHoweverItIsNamed) {
    fs::create_symlink(at("settings.ini"), at("link.ini"));
    fs::create_hard_link(at("settings.ini"), at("hard.ini"));
    fs::create_symlink(folder / "sub", at("subLink"));
    for (const std::string& spelling :
         {at("settings.ini"), at("link.ini"), at("hard.ini"), at("sub/../settings.ini"),
          at("subLink/../settings.ini"), at("./settings.ini")}) {
        const auto asTrace = outputPathsRefusal(spelling, std::nullopt, guarded());
        ASSERT_TRUE(asTrace) << spelling;
        EXPECT_EQ(*asTrace, "--trace " + spelling +
                                " is the settings file, which writing would destroy; name "
                                "another file");
        const auto asRecord = outputPathsRefusal(at("trace.jsonl"), spelling, guarded());
        ASSERT_TRUE(asRecord) << spelling;
        EXPECT_EQ(asRecord->rfind("--record " + spelling + " is the settings file", 0), 0u)
            << *asRecord;
    }
    const auto skin = outputPathsRefusal(at("sub/../Config.ini"), std::nullopt, guarded());
    ASSERT_TRUE(skin);
    EXPECT_NE(skin->find("is the program's configuration file"), std::string::npos) << *skin;
}

TEST_F(OutputPaths, ASettingsFileNotYetCreatedIsGuardedByItsResolvedName) {
    const std::vector<GuardedFile> fresh = {{at("new.ini"), "the settings file"}};
    fs::create_symlink(at("new.ini"), at("dangling"));
    for (const std::string& spelling : {at("sub/../new.ini"), at("dangling")}) {
        EXPECT_TRUE(outputPathsRefusal(spelling, std::nullopt, fresh)) << spelling;
    }
    EXPECT_FALSE(outputPathsRefusal(at("sub/new.ini"), at("new.ini.trace"), fresh));
    EXPECT_FALSE(fs::exists(at("new.ini"))) << "a check creates nothing";
}

TEST_F(OutputPaths, TheTraceAndTheRecordMustBeTwoFiles) {
    const std::string both = "--trace and --record both name ";
    // Not yet created, and created: two spellings of one file are one file.
    EXPECT_EQ(outputPathsRefusal(at("out"), at("sub/../out"), guarded()),
              both + at("sub/../out") + ", where the two would garble each other; name two files");
    std::ofstream(at("out")) << "old";
    fs::create_symlink(at("out"), at("sub/out-link"));
    EXPECT_TRUE(outputPathsRefusal(at("sub/out-link"), at("out"), guarded()));

    std::ofstream(at("sub/out")) << "other";
    EXPECT_FALSE(outputPathsRefusal(at("out"), at("sub/out"), guarded()));
    EXPECT_FALSE(outputPathsRefusal(at("a"), at("b"), guarded()));
    EXPECT_FALSE(outputPathsRefusal(std::nullopt, std::nullopt, guarded()));
}

// Writes wait for a slow reader instead of failing, and a reader that leaves is told once
// without ending the program.
TEST_F(OutputPaths, APipeWithAReaderTakesEveryLineUntilTheReaderLeaves) {
    const std::string fifo = at("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    ::fcntl(reader, F_SETFL, ::fcntl(reader, F_GETFL) & ~O_NONBLOCK);

    const std::string line = std::string(1023, 'x') + '\n';
    constexpr std::size_t kLines = 256; // four times what a pipe holds
    std::size_t received = 0;
    std::thread slowReader([&] {
        // Only once the pipe is full does the reader begin; it reads until the writer closes.
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        char buffer[4096];
        for (ssize_t got; (got = ::read(reader, buffer, sizeof buffer)) > 0;) {
            received += static_cast<std::size_t>(got);
        }
    });
    std::optional<std::string> failure;
    {
        OutputFile file(fifo, "trace");
        for (std::size_t i = 0; i < kLines; ++i) {
            file.stream() << line;
        }
        failure = file.takeFailure();
    }
    slowReader.join();
    EXPECT_EQ(failure, std::nullopt);
    EXPECT_EQ(received, kLines * line.size());

    OutputFile file(fifo, "trace");
    ::close(reader);
    file.stream() << "after the reader left\n";
    failure = file.takeFailure();
    ASSERT_TRUE(failure);
    EXPECT_EQ(*failure, "The trace could not be written to " + fifo +
                            " (the program reading it has ended). Nothing more is written to "
                            "it; the program goes on.");
    EXPECT_EQ(file.takeFailure(), std::nullopt) << "told once";
}

} // namespace
