#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "shell/settings_store.h"
#include "tests/shell/probe_process.h"
#include "tests/shell/recording_errors.h"

namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    void writeRaw(const QString& file, const QString& key, const QString& text) {
        QSettings raw(file, QSettings::IniFormat);
        raw.setValue(key, text);
    }
    // QTemporaryDir cannot remove a file whose name is not UTF-8.
    void TearDown() override { std::filesystem::remove_all(dir.path().toStdString()); }

    QTemporaryDir dir;
    RecordingErrors errors;
};

TEST_F(SettingsStoreTest, RoundTripsIntegersAndBooleansAsText) {
    const QString file = path("s.ini");
    shell::SettingsStore store(file, errors);
    for (int value : {-1, 0, 39, 1234, INT32_MIN, INT32_MAX}) {
        store.writeInt("HiScore1", value);
        EXPECT_EQ(store.readInt("HiScore1", 5), value);
        EXPECT_EQ(QSettings(file, QSettings::IniFormat).value("HiScore1").toString(),
                  QString::number(value));
    }
    store.writeBool("FullscreenMode", false);
    EXPECT_FALSE(store.readBool("FullscreenMode", true));
    EXPECT_EQ(QSettings(file, QSettings::IniFormat).value("FullscreenMode").toString(), "0");
    store.writeBool("FullscreenMode", true);
    EXPECT_TRUE(store.readBool("FullscreenMode", false));
    EXPECT_EQ(QSettings(file, QSettings::IniFormat).value("FullscreenMode").toString(), "1");
    EXPECT_TRUE(errors.messages.empty());
}

TEST_F(SettingsStoreTest, MissingAndMalformedTextsReadAsTheDefault) {
    const QString file = path("s.ini");
    shell::SettingsStore store(file, errors);
    EXPECT_EQ(store.readInt("Key1", 2), 2);
    EXPECT_TRUE(store.readBool("FullscreenMode", true));
    for (const char* text : {"", "abc", "5x", " 5", "+5", "0x10", "99999999999", "-2147483649"}) {
        writeRaw(file, "Key1", text);
        EXPECT_EQ(store.readInt("Key1", 2), 2) << "text '" << text << "'";
        writeRaw(file, "FullscreenMode", text);
        EXPECT_TRUE(store.readBool("FullscreenMode", true)) << "text '" << text << "'";
    }
    writeRaw(file, "FullscreenMode", "5");
    EXPECT_TRUE(store.readBool("FullscreenMode", false));
    writeRaw(file, "Key1", "-2147483648");
    EXPECT_EQ(store.readInt("Key1", 2), INT32_MIN);
}

TEST_F(SettingsStoreTest, EveryReadSeesAChangeMadeOutsideTheProgram) {
    const QString file = path("s.ini");
    shell::SettingsStore store(file, errors);
    store.writeInt("Key1", 2);
    {
        std::ofstream out(file.toStdString(), std::ios::trunc);
        out << "[General]\nKey1=44\nHiScore2=120\n";
    }
    EXPECT_EQ(store.readInt("Key1", 0), 44);
    EXPECT_EQ(store.readInt("HiScore2", 0), 120);
}

TEST_F(SettingsStoreTest, AWriteIsVisibleToAnotherProcessAtOnce) {
    const QString file = path("s.ini");
    shell::SettingsStore store(file, errors);
    store.writeInt("HiScore1", 77);
    EXPECT_EQ(runProbe("read " + file.toStdString() + " HiScore1"), "77\n");
    store.writeInt("HiScore1", 78);
    EXPECT_EQ(runProbe("read " + file.toStdString() + " HiScore1"), "78\n");
}

// Also through the private copy that serves a name Qt cannot hold.
TEST_F(SettingsStoreTest, AFileDeletedMeanwhileComesBackWithEveryValueHeld) {
    for (const std::string name : {"s.ini", "caf\xe9.ini"}) {
        const std::string file = dir.path().toStdString() + "/" + name;
        std::ofstream(file) << "[General]\nHiScore1=120\nSplashScreen=0\n";
        shell::SettingsStore store(file, errors);
        EXPECT_EQ(store.readInt("HiScore1", 0), 120);
        EXPECT_FALSE(store.readBool("SplashScreen", true));
        EXPECT_EQ(store.readInt("HiScore2", 0), 0);
        store.writeInt("Key1", 44);

        ASSERT_EQ(::unlink(file.c_str()), 0);
        store.writeBool("FullscreenMode", false);
        EXPECT_TRUE(errors.messages.empty());
        shell::SettingsStore check(file, errors);
        EXPECT_EQ(check.readInt("HiScore1", 0), 120) << name;
        EXPECT_FALSE(check.readBool("SplashScreen", true)) << name;
        EXPECT_EQ(check.readInt("Key1", 0), 44) << name;
        EXPECT_FALSE(check.readBool("FullscreenMode", true)) << name;
        EXPECT_EQ(check.readInt("HiScore2", -1), -1) << "a value never stored is not made up";
    }
}

TEST_F(SettingsStoreTest, NativeStoreLivesInTheUsersConfigFolder) {
    shell::SettingsStore store(errors);
    const QString expected = qEnvironmentVariable("XDG_CONFIG_HOME") + "/Kestovan/Zemblor50.conf";
    EXPECT_EQ(store.location(), expected);
    store.writeInt("Key3", 4);
    EXPECT_TRUE(QFile::exists(expected));
    EXPECT_EQ(shell::SettingsStore(errors).readInt("Key3", 0), 4);
}

TEST_F(SettingsStoreTest, AnUnwritableLocationIsReportedOnceAndTheValueKept) {
    // A plain file where a folder should be stops even root from writing.
    QFile blocker(path("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString file = path("blocker/sub/s.ini");
    shell::SettingsStore store(file, errors);

    store.writeInt("HiScore1", 42);
    ASSERT_EQ(errors.messages.size(), 1u);
    EXPECT_NE(errors.messages[0].find(QDir::toNativeSeparators(file).toStdString()),
              std::string::npos);
    EXPECT_NE(errors.messages[0].find("is not a folder"), std::string::npos);
    EXPECT_EQ(store.readInt("HiScore1", 0), 42);
    EXPECT_TRUE(store.hasUnsavedValues());

    store.writeInt("HiScore2", 7);
    EXPECT_EQ(errors.messages.size(), 1u) << "the same failure is told once";
    EXPECT_EQ(store.readInt("HiScore2", 0), 7);
}

TEST_F(SettingsStoreTest, UnsavedValuesAreWrittenWithTheNextWriteThatSucceeds) {
    QFile blocker(path("later"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString file = path("later/s.ini");
    shell::SettingsStore store(file, errors);
    store.writeInt("HiScore1", 42);
    ASSERT_EQ(errors.messages.size(), 1u);

    ASSERT_TRUE(QFile::remove(path("later")));
    store.writeInt("HiScore2", 9);
    EXPECT_FALSE(store.hasUnsavedValues());
    QSettings raw(file, QSettings::IniFormat);
    EXPECT_EQ(raw.value("HiScore1").toString(), "42");
    EXPECT_EQ(raw.value("HiScore2").toString(), "9");
}

// Root writes through folder permissions, so the write is made by a user they bind.
TEST_F(SettingsStoreTest, AReadOnlyFolderIsReported) {
    const auto readAndEnter = QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                              QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                              QFileDevice::ReadOther | QFileDevice::ExeOther;
    QFile::setPermissions(dir.path(), readAndEnter | QFileDevice::WriteOwner);
    QDir().mkpath(path("ro"));
    QFile::setPermissions(path("ro"), readAndEnter);
    const std::string told =
        runProbeAsBoundUser("write " + path("ro/s.ini").toStdString() + " Key1 2");
    EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 1) << told;
    EXPECT_NE(told.find(path("ro/s.ini").toStdString() + ": "), std::string::npos) << told;
    EXPECT_FALSE(QFile::exists(path("ro/s.ini")));
    QFile::setPermissions(path("ro"), readAndEnter | QFileDevice::WriteOwner);
}

// A file Qt reads with a format error still reports one after a write, whether the write
// reached the file or not: a rewrite that failed must be told, and its value kept.
TEST_F(SettingsStoreTest, AFailedRewriteOfABrokenFileIsToldAndTheValueKept) {
    ASSERT_EQ(::chmod(dir.path().toLocal8Bit().constData(), 0777), 0);
    const std::string broken = "[General\nKey1=3\n";
    std::ofstream(path("plain.ini").toStdString()) << broken;
    ASSERT_EQ(QSettings(path("plain.ini"), QSettings::IniFormat).status(), QSettings::FormatError);
    for (const std::string name : {"broken.ini", "kaputt\xe9.ini"}) {
        SCOPED_TRACE(name);
        const std::string file = dir.path().toStdString() + "/" + name;
        std::ofstream(file) << broken;
        ::chmod(file.c_str(), 0444);

        const std::string told = runProbeAsBoundUser("writeread '" + file + "' Key2 4");
        EXPECT_NE(told.find("could not be saved"), std::string::npos) << told;
        EXPECT_NE(told.find("Key2=4\n"), std::string::npos) << told;
        EXPECT_NE(told.find("unsaved\n"), std::string::npos) << told;
        std::ifstream in(file);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), broken);
    }
}

// A writer killed at any moment leaves the old file or the new one, never a torn one.
TEST_F(SettingsStoreTest, AKilledWriterLeavesAValidFile) {
    const QString file = path("s.ini");
    const std::string fileArg = file.toStdString();
    for (int round = 0; round < 12; ++round) {
        int out[2];
        ASSERT_EQ(pipe(out), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            execl(SETTINGS_PROBE, SETTINGS_PROBE, "hammer", fileArg.c_str(),
                  static_cast<char*>(nullptr));
            _exit(127);
        }
        close(out[1]);
        char ready[8] = {};
        ASSERT_GT(read(out[0], ready, sizeof ready), 0);
        usleep(static_cast<useconds_t>(2000 + round * 1500));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        close(out[0]);

        QSettings check(file, QSettings::IniFormat);
        ASSERT_EQ(check.status(), QSettings::NoError);
        int fillers = 0;
        for (const QString& key : check.allKeys()) {
            if (key.startsWith("Filler")) {
                EXPECT_EQ(check.value(key).toString(), QString(120, 'x')) << round;
                ++fillers;
            }
        }
        EXPECT_EQ(fillers, 200) << "round " << round;
        bool ok = false;
        check.value("Counter").toString().toInt(&ok);
        EXPECT_TRUE(ok || !check.contains("Counter")) << "round " << round;

        // Nor a lock that holds up the next writer.
        const auto start = std::chrono::steady_clock::now();
        shell::SettingsStore(file, errors).writeInt("Counter", -1);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
        EXPECT_FALSE(QFile::exists(file + ".lock")) << "round " << round;
    }
}

// Tests must never touch the real per-user store.
class IsolatedConfigHome : public ::testing::Environment {
public:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    }
    QTemporaryDir home;
};

const auto* const isolated = ::testing::AddGlobalTestEnvironment(new IsolatedConfigHome);

} // namespace
