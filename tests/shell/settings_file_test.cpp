#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "shell/ini_text_check.h"
#include "shell/settings_store.h"
#include "tests/shell/probe_process.h"
#include "tests/shell/recording_errors.h"

namespace {

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

mode_t permissionsOf(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

bool isFifo(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISFIFO(info.st_mode);
}

class SettingsFileTest : public ::testing::Test {
protected:
    std::string path(const std::string& name) const {
        return dir.path().toStdString() + "/" + name;
    }
    // QTemporaryDir cannot remove a file whose name is not UTF-8.
    void TearDown() override { std::filesystem::remove_all(dir.path().toStdString()); }

    QTemporaryDir dir;
    RecordingErrors errors;
};

TEST_F(SettingsFileTest, SpecialFilesAreRefusedAndNeverReplaced) {
    const std::string fifo = path("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string loop = path("loop");
    ASSERT_EQ(::symlink("loop", loop.c_str()), 0);
    ::mkdir(path("folder").c_str(), 0700);

    for (const std::string& special : {std::string("/dev/null"), fifo, loop, path("folder")}) {
        RecordingErrors sink;
        shell::SettingsStore store(special, sink);
        ASSERT_TRUE(store.refusal()) << special;
        EXPECT_NE(store.refusal()->find(special), std::string::npos);
        EXPECT_EQ(store.readInt("Key1", 2), 2) << "a pipe must not block the read";
        store.writeInt("Key1", 5);
        ASSERT_EQ(sink.messages.size(), 1u) << special;
        EXPECT_EQ(store.readInt("Key1", 2), 5) << "kept in memory";
    }
    EXPECT_TRUE(isFifo(fifo));
    struct stat info {};
    EXPECT_EQ(::lstat(loop.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    ASSERT_EQ(::stat("/dev/null", &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode));
}

TEST_F(SettingsFileTest, MissingFilesAndLinksToFilesAreAccepted) {
    EXPECT_FALSE(shell::SettingsStore(path("new.ini"), errors).refusal());
    writeFile(path("real.ini"), "[General]\nKey1=3\n");
    ASSERT_EQ(::symlink("real.ini", path("link.ini").c_str()), 0);
    shell::SettingsStore store(path("link.ini"), errors);
    EXPECT_FALSE(store.refusal());
    store.writeInt("Key2", 9);
    EXPECT_TRUE(errors.messages.empty());
    struct stat info {};
    ASSERT_EQ(::lstat(path("link.ini").c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode)) << "the link stays a link";
    EXPECT_NE(contents(path("real.ini")).find("Key2=9"), std::string::npos);
}

TEST_F(SettingsFileTest, TheNativeStoresFileIsHeldToTheSameRule) {
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
    ::mkdir(path("Kestovan").c_str(), 0700);
    ASSERT_EQ(::mkfifo(path("Kestovan/Zemblor50.conf").c_str(), 0600), 0);
    EXPECT_TRUE(shell::SettingsStore(errors).refusal());
    qputenv("XDG_CONFIG_HOME", saved);
}

TEST_F(SettingsFileTest, HandWrittenLinesAreKeptBesideTheFileBeforeTheFirstWrite) {
    const std::string file = path("s.ini");
    const std::string original = "[General]\nKey1=3\nmy note without equals\n; a comment\n";
    writeFile(file, original);
    writeFile(file + ".bak", "an older backup");
    shell::SettingsStore store(file, errors);

    store.writeInt("Key2", 7);
    ASSERT_EQ(errors.messages.size(), 1u);
    EXPECT_EQ(errors.messages[0].find("could not be saved"), std::string::npos)
        << "the write succeeded: " << errors.messages[0];
    EXPECT_NE(errors.messages[0].find(file + ".bak2"), std::string::npos);
    EXPECT_EQ(contents(file + ".bak2"), original);
    EXPECT_EQ(contents(file + ".bak"), "an older backup");
    EXPECT_FALSE(store.hasUnsavedValues());
    EXPECT_EQ(store.readInt("Key1", 0), 3);

    store.writeInt("Key3", 4);
    EXPECT_EQ(errors.messages.size(), 1u) << "the rewritten file is clean";
    EXPECT_EQ(::access((file + ".bak3").c_str(), F_OK), -1);
}

TEST_F(SettingsFileTest, AFileTheProgramWroteNeedsNoBackup) {
    const std::string file = path("s.ini");
    writeFile(file, "[General]\r\nKey1 = 3\r\n\r\nHiScore1=12\r\n");
    shell::SettingsStore store(file, errors);
    store.writeInt("Key2", 7);
    EXPECT_TRUE(errors.messages.empty());
    EXPECT_EQ(::access((file + ".bak").c_str(), F_OK), -1);
}

TEST_F(SettingsFileTest, NamesThatAreNotUtf8ReachTheFileSystemUnchanged) {
    const std::string file = path("caf\xe9.ini");
    {
        shell::SettingsStore store(file, errors);
        store.writeInt("HiScore1", 321);
        EXPECT_TRUE(errors.messages.empty());
    }
    EXPECT_NE(contents(file).find("HiScore1=321"), std::string::npos);
    EXPECT_EQ(::access(path("caf\xef\xbf\xbd.ini").c_str(), F_OK), -1);

    writeFile(file, "[General]\nHiScore1=400\n");
    shell::SettingsStore again(file, errors);
    EXPECT_EQ(again.readInt("HiScore1", 0), 400) << "reads see the file as it is now";
    again.writeInt("HiScore2", 5);
    EXPECT_EQ(again.readInt("HiScore1", 0), 400);
    EXPECT_NE(contents(file).find("HiScore2=5"), std::string::npos);
}

// A write replaces the file by a new one renamed over it. The new one keeps the old one's
// permissions, so a store kept private stays private: also through the copy that serves names
// Qt cannot hold, and also when hand-written lines were first kept aside.
TEST_F(SettingsFileTest, ARewriteKeepsTheFilesPermissions) {
    for (const std::string name : {"s.ini", "caf\xe9.ini"}) {
        for (const mode_t mode : {0600, 0640, 0604}) {
            for (const std::string original : {"[General]\nKey1=3\n", "; by hand\nKey1=3\n"}) {
                SCOPED_TRACE(testing::Message()
                             << name << " " << std::oct << mode << " " << original);
                const std::string file = path(name);
                writeFile(file, original);
                ASSERT_EQ(::chmod(file.c_str(), mode), 0);
                shell::SettingsStore store(file, errors);
                store.writeInt("Key2", 4);
                EXPECT_EQ(permissionsOf(file), mode);
                EXPECT_NE(contents(file).find("Key2=4"), std::string::npos);
                store.writeInt("Key2", 5);
                EXPECT_EQ(permissionsOf(file), mode);
                std::filesystem::remove(file);
                std::filesystem::remove(file + ".bak");
            }
        }
    }
}

// A file the store creates gets what any new file gets: read and write for all, less the umask.
TEST_F(SettingsFileTest, ANewFileGetsTheUsualPermissions) {
    const mode_t mask = ::umask(027);
    for (const std::string name : {"new.ini", "neu\xe9.ini"}) {
        shell::SettingsStore(path(name), errors).writeInt("Key1", 2);
        EXPECT_EQ(permissionsOf(path(name)), 0640) << name;
    }
    ::umask(mask);
    EXPECT_TRUE(errors.messages.empty());
}

// A file the store cannot read in full is never replaced through the copy that serves
// names Qt cannot hold.
TEST_F(SettingsFileTest, AFileThatCannotBeReadIsNotReplacedThroughTheCopy) {
    const std::string file = path("gro\xdf.ini");
    writeFile(file, "[General]\nKey1=3\n");
    ASSERT_EQ(::truncate(file.c_str(), 17 << 20), 0) << "past the size any settings file reads";
    shell::SettingsStore store(file, errors);
    store.writeInt("Key2", 4);
    ASSERT_EQ(errors.messages.size(), 1u);
    EXPECT_NE(errors.messages[0].find("could not be saved"), std::string::npos);
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_size, 17 << 20);
    EXPECT_EQ(contents(file).substr(0, 17), "[General]\nKey1=3\n");
}

// Root writes over read-only files, so the write is made by a user they bind; the folder is
// open to that user, so only the file's own permission stands in the way.
TEST_F(SettingsFileTest, AReadOnlyFileIsNotReplacedThroughTheCopy) {
    ASSERT_EQ(::chmod(dir.path().toLocal8Bit().constData(), 0777), 0);
    const std::string file = path("gro\xdf.ini");
    writeFile(file, "[General]\nKey1=3\n");
    ::chmod(file.c_str(), 0444);
    const std::string told = runProbeAsBoundUser("write " + file + " Key2 4");
    EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 1) << told;
    EXPECT_NE(told.find("read-only"), std::string::npos) << told;
    EXPECT_EQ(contents(file), "[General]\nKey1=3\n");
}

// The same hand-written text met again (another run, a write that failed) finds its backup.
TEST_F(SettingsFileTest, TheSameOriginalIsBackedUpOnce) {
    const std::string file = path("s.ini");
    const std::string original = "[General]\n; by hand\nKey1=3\n";
    for (int run = 0; run < 3; ++run) {
        writeFile(file, original);
        RecordingErrors told;
        shell::SettingsStore(file, told).writeInt("Key2", run);
        ASSERT_EQ(told.messages.size(), 1u);
        EXPECT_NE(told.messages[0].find(file + ".bak."), std::string::npos) << told.messages[0];
    }
    EXPECT_EQ(contents(file + ".bak"), original);
    EXPECT_EQ(::access((file + ".bak2").c_str(), F_OK), -1);
}

// Whatever a person wrote, the program's own rewrite of it is clean: the next write, in this
// run or the next, needs no backup, and a run tells of its backup once.
TEST_F(SettingsFileTest, TheProgramsOwnRewriteNeedsNoBackup) {
    const std::vector<std::string> originals = {
        "=5\n",
        "[General]\n=5\nKey2=3\n",
        "=\n",
        " = 7\n==\na==b\n",
        "=5\n=6\n",
        "Key1=3\nKey1=4\n",
        "[Other]\n=1\n/=3\n",
        "\\=3\nk\\=1\n\"q=1\n",
        "; by hand\nKey1=2\n",
        "[General\nKey2=1\n",
        "note\n[a]\nx=1\n[a]\nx=2\n",
        "Key2=3 ; note\nKey3=a,b\nKey4=abc\\\nKey5=3\n",
    };
    for (std::size_t i = 0; i < originals.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "original '" << originals[i] << "'");
        const std::string file = path("s" + std::to_string(i) + ".ini");
        writeFile(file, originals[i]);
        RecordingErrors firstRun;
        {
            shell::SettingsStore store(file, firstRun);
            for (int value = 0; value < 3; ++value) {
                store.writeInt("HiScore1", value);
            }
            EXPECT_LE(firstRun.messages.size(), 1u);
        }
        const bool backedUp = ::access((file + ".bak").c_str(), F_OK) == 0;
        EXPECT_EQ(firstRun.messages.size(), backedUp ? 1u : 0u);
        if (backedUp) {
            EXPECT_EQ(contents(file + ".bak"), originals[i]);
        }
        RecordingErrors nextRun;
        shell::SettingsStore(file, nextRun).writeInt("HiScore1", 9);
        EXPECT_TRUE(nextRun.messages.empty());
        EXPECT_EQ(::access((file + ".bak2").c_str(), F_OK), -1);
    }
}

TEST_F(SettingsFileTest, ARunTellsOfItsBackupsOnce) {
    const std::string file = path("s.ini");
    shell::SettingsStore store(file, errors);
    writeFile(file, "; first edit\nKey1=3\n");
    store.writeInt("Key2", 1);
    writeFile(file, "; second edit\nKey1=4\n");
    store.writeInt("Key2", 2);
    EXPECT_EQ(contents(file + ".bak"), "; first edit\nKey1=3\n");
    EXPECT_EQ(contents(file + ".bak2"), "; second edit\nKey1=4\n");
    ASSERT_EQ(errors.messages.size(), 1u);
    EXPECT_NE(errors.messages[0].find(file + ".bak."), std::string::npos);
}

TEST(IniTextCheck, OnlyBlankLinesSectionsAndPairsSurviveARewrite) {
    EXPECT_TRUE(shell::iniTextSurvivesRewrite(""));
    EXPECT_TRUE(shell::iniTextSurvivesRewrite("\xEF\xBB\xBF[General]\nKey1=2\n"));
    EXPECT_TRUE(shell::iniTextSurvivesRewrite("[General]\r\nKey1=2\n\n  Key2 = 3  \rKey3=\n"));
    EXPECT_FALSE(shell::iniTextSurvivesRewrite("[General]\nKey1=2\nnote\n"));
    EXPECT_FALSE(shell::iniTextSurvivesRewrite("; comment\n[General]\n"));
    EXPECT_FALSE(shell::iniTextSurvivesRewrite("# Key1=2\n"));
    EXPECT_FALSE(shell::iniTextSurvivesRewrite("[General\n"));
    EXPECT_TRUE(shell::iniTextSurvivesRewrite("=5\n")) << "written back as it is";
    EXPECT_TRUE(shell::iniTextSurvivesRewrite("[a]\nx=1\n[b]\nx=2\n[a]\ny=3\n"));
}

TEST(IniTextCheck, AKeyGivenTwiceInOneSectionLosesAValue) {
    EXPECT_FALSE(shell::iniTextSurvivesRewrite("Key1=2\nKey1=3\n"));
    EXPECT_FALSE(shell::iniTextSurvivesRewrite("=5\n = 6\n"));
    EXPECT_FALSE(shell::iniTextSurvivesRewrite("x=1\n[General]\nx=2\n"));
    EXPECT_FALSE(shell::iniTextSurvivesRewrite("[a]\nx=1\n[b]\n[ a ]\nx = 2\n"));
}

} // namespace
