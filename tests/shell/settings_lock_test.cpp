#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include <QDir>
#include <QLockFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "shell/settings_file.h"
#include "shell/settings_store.h"
#include "tests/shell/recording_errors.h"

namespace {

bool exists(const std::string& path) {
    return ::access(path.c_str(), F_OK) == 0;
}

// What a writer killed inside QLockFile leaves: the file made, nothing written in it yet.
void leaveEmptyLock(const std::string& path) {
    std::ofstream{path};
}

// A lock naming a living process of this program's name that never took it, as when a dead
// owner's process number has gone to a new process: QLockFile trusts it for 30 s.
void leaveLockOfALivingStranger(const std::string& path) {
    const auto program = std::filesystem::read_symlink("/proc/self/exe").filename().string();
    std::ofstream(path) << ::getpid() << '\n' << program << '\n';
}

class SettingsLockTest : public ::testing::Test {
protected:
    std::string path(const std::string& name) const {
        return dir.path().toStdString() + "/" + name;
    }
    QTemporaryDir dir;
    RecordingErrors errors;
};

TEST_F(SettingsLockTest, ALockFileNobodyHoldsIsRemoved) {
    const std::string lock = path("s.ini.lock");
    EXPECT_FALSE(shell::removeAbandonedLockFile(lock));
    for (auto leave : {leaveEmptyLock, leaveLockOfALivingStranger}) {
        leave(lock);
        EXPECT_TRUE(shell::removeAbandonedLockFile(lock));
        EXPECT_FALSE(exists(lock));
    }
}

TEST_F(SettingsLockTest, ALockItsOwnerHoldsStays) {
    const std::string lockPath = path("s.ini.lock");
    QLockFile held(QString::fromStdString(lockPath));
    ASSERT_TRUE(held.tryLock());
    EXPECT_FALSE(shell::removeAbandonedLockFile(lockPath));
    EXPECT_TRUE(exists(lockPath));
}

// Left alone, QLockFile waits until such a lock is 30 s old, at every start of the program.
TEST_F(SettingsLockTest, AWriteTakesOverALockLeftByADeadWriter) {
    const QString native = qEnvironmentVariable("XDG_CONFIG_HOME") + "/Kestovan/Zemblor50.conf";
    ASSERT_TRUE(QDir().mkpath(QFileInfo(native).absolutePath()));
    for (const bool useNative : {false, true}) {
        const std::string file = useNative ? native.toStdString() : path("s.ini");
        for (auto leave : {leaveEmptyLock, leaveLockOfALivingStranger}) {
            SCOPED_TRACE(file);
            leave(file + ".lock");
            auto store =
                useNative ? shell::SettingsStore(errors) : shell::SettingsStore(file, errors);
            const auto start = std::chrono::steady_clock::now();
            store.writeInt("Key1", 7);
            EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
            EXPECT_FALSE(exists(file + ".lock"));
            EXPECT_EQ(shell::SettingsStore(file, errors).readInt("Key1", 0), 7);
        }
    }
    EXPECT_TRUE(errors.messages.empty());
}

} // namespace
