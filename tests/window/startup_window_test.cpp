// Start and end of the real program: output files that would destroy what it reads are refused
// before anything is written, a pipe as output never hangs the start, and the ways of closing
// it (the splash dialog's close box, hang-up and termination signals) end it as they should.
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/window/zemblor_fixture.h"

namespace {

using namespace zemblor_test;
namespace fs = std::filesystem;

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Reads whatever a pipe holds without waiting, added to `into`.
void drain(int fd, std::string& into) {
    char buffer[4096];
    for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;) {
        into.append(buffer, static_cast<std::size_t>(got));
    }
}

using Outcome = std::pair<std::string, std::string>;

class StartupWindowTest : public ZemblorWindowTest {
protected:
    // The program with exactly these options and environment, its output kept.
    xtest::Child& startWith(const std::vector<std::string>& args,
                            std::map<std::string, std::string> env = {}) {
        env.insert({{"SDL_AUDIODRIVER", "dummy"},
                    {"HOME", dir_},
                    {"XDG_RUNTIME_DIR", dir_},
                    {"LSAN_OPTIONS", lsanOptions()}});
        return x_->launch({zemblorPath(), args, ZEMBLOR_ASSETS_DIR, env, outputPath_});
    }

    // Runs the program to its end; its exit and the first line it printed.
    Outcome refusal(const std::vector<std::string>& args,
                    std::map<std::string, std::string> env = {}) {
        const auto status = startWith(args, std::move(env)).waitExit(kPatience);
        const std::string output = fileBytes(outputPath_);
        return {status ? status->describe() : "still running", output.substr(0, output.find('\n'))};
    }
};

TEST_F(StartupWindowTest, AnOutputOverAFileTheProgramReadsIsRefusedBeforeAnythingIsWritten) {
    startX(70);
    const std::string settings = dir_ + "/settings.ini";
    writeSettings(settings, {{"HiScore1", "120"}, {"Key1", "44"}});
    const std::string before = fileBytes(settings);
    fs::create_symlink(settings, dir_ + "/link.ini");
    const std::string trace = dir_ + "/trace.jsonl";

    EXPECT_EQ(refusal({"--settings", settings, "--trace", settings}),
              Outcome("exit status 2", "zemblor: --trace " + settings +
                                           " is the settings file, which writing would "
                                           "destroy; name another file"));
    EXPECT_EQ(
        refusal({"--settings", settings, "--trace", trace, "--record", dir_ + "/link.ini"}).first,
        "exit status 2");
    EXPECT_FALSE(fs::exists(trace)) << "the trace was opened before the record was refused";
    EXPECT_EQ(fileBytes(settings), before);

    // The user's own store, when no settings file is named.
    const std::string store = dir_ + "/config/Kestovan/Zemblor50.conf";
    fs::create_directories(fs::path(store).parent_path());
    writeSettings(store, {{"HiScore2", "77"}});
    const std::string storeBefore = fileBytes(store);
    EXPECT_EQ(refusal({"--record", store}, {{"XDG_CONFIG_HOME", dir_ + "/config"}}).second,
              "zemblor: --record " + store +
                  " is the settings file, which writing would destroy; name another file");
    EXPECT_EQ(fileBytes(store), storeBefore);

    // The skin beside the program, kept safe should the refusal ever fail.
    const std::string config = (fs::path(zemblorPath()).parent_path() / "Config.ini").string();
    const std::string configBefore = fileBytes(config);
    ASSERT_FALSE(configBefore.empty());
    const auto skin = refusal({"--settings", settings, "--trace", config});
    const std::string configAfter = fileBytes(config);
    if (configAfter != configBefore) {
        std::ofstream(config, std::ios::binary) << configBefore;
    }
    EXPECT_EQ(skin.first, "exit status 2");
    EXPECT_NE(skin.second.find("is the program's configuration file"), std::string::npos)
        << skin.second;
    EXPECT_TRUE(configAfter == configBefore) << "Config.ini was overwritten";
}

TEST_F(StartupWindowTest, APipeWithoutAReaderIsRefusedAndOneWithAReaderStreams) {
    startX(71);
    const std::string fifo = dir_ + "/trace.fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    writeSettings(settingsPath_, kWindowedNoSplash);
    const std::vector<std::string> args = {"--settings", settingsPath_, "--trace", fifo};
    EXPECT_EQ(refusal(args), Outcome("exit status 2", "zemblor: cannot write the trace to " + fifo +
                                                          ": it is a pipe that no program "
                                                          "reads from"));

    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    startWith(args);
    std::string streamed;
    const auto main = waitForWindow(kMainTitle);
    ASSERT_TRUE(main) << "no device window with a reader on the pipe";
    EXPECT_TRUE(xtest::pollUntil(kPatience, [&] {
        drain(reader, streamed);
        return streamed.find("ModeAllSegments") != std::string::npos;
    })) << streamed;
    ::close(reader);
}

TEST_F(StartupWindowTest, TheSplashDialogsCloseBoxEndsTheProgramAsEscapeDoes) {
    startX(72, true);
    const Settings stored = {{"FullscreenMode", "0"}, {"SoundMode", "1"}, {"SplashScreen", "1"}};
    auto& program = startZemblor(stored);
    const auto splash = waitForWindow(kSplashTitle);
    ASSERT_TRUE(splash) << "no splash dialog";
    // The window manager's close command, as its close box gives it. A window manager still
    // taking the new window in may miss the first one: it is given again until the program
    // has ended or the patience is spent.
    std::optional<xtest::ExitStatus> status;
    xtest::pollUntil(
        kPatience,
        [&] {
            if (x_->focus(*splash)) {
                x_->keyDown("Alt_L");
                x_->keyDown("F4");
                x_->keyUp("F4");
                x_->keyUp("Alt_L");
            }
            status = program.waitExit(Millis(1000));
            return status.has_value();
        },
        Millis(0));
    ASSERT_TRUE(status) << "still running after the splash dialog was closed";
    EXPECT_EQ(status->describe(), "exit status 0");
    EXPECT_TRUE(stateLines().empty()) << "the device was powered on";
    EXPECT_EQ(storedNames(), (std::vector<std::string>{"Key1", "Key2", "Key3", "Key4", "Key5"}));
}

// A hang-up (the terminal closed) and a termination request close the device's window; the
// record then ends with the wait up to that moment.
TEST_F(StartupWindowTest, HangUpAndTerminationCloseTheProgram) {
    startX(73);
    for (const int signal : {SIGHUP, SIGTERM}) {
        const std::string record = dir_ + "/session-" + std::to_string(signal) + ".script";
        auto& program = startZemblor(kWindowedNoSplash, {}, {"--record", record});
        const auto main = waitForPoweredDevice();
        ASSERT_TRUE(main) << "signal " << signal;
        const auto pid = x_->tool({"xdotool", "getwindowpid", std::to_string(*main)});
        ASSERT_EQ(pid.status, 0) << "no pid on the device's window";
        ASSERT_EQ(::kill(std::stoi(pid.out), signal), 0);

        const auto status = program.waitExit(kPatience);
        ASSERT_TRUE(status) << "still running after signal " << signal;
        EXPECT_EQ(status->describe(), "exit status 0") << "signal " << signal;
        const auto lines = readLines(record);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back().rfind("wait ", 0), 0u)
            << "signal " << signal << ": ends with " << lines.back();
    }
}

} // namespace
