#pragma once

#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numbers>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "device/stored_text.h"
#include "sound/sound_output.h"
#include "sound/wav_encode.h"

namespace sound_test {

namespace fs = std::filesystem;

constexpr int kRate = 22050;

// A tone of constant level, so its strength in the mix is easy to predict.
inline std::vector<std::uint8_t> sineWav(double hertz, int ms, double level = 0.3) {
    std::vector<std::int16_t> pcm(static_cast<std::size_t>(kRate * ms / 1000));
    for (std::size_t i = 0; i < pcm.size(); ++i) {
        const double v = level * std::sin(2 * std::numbers::pi * hertz * i / kRate);
        pcm[i] = static_cast<std::int16_t>(std::lround(v * 32767));
    }
    return wav::encodeMono16(pcm, kRate);
}

// Strength of one frequency in a stretch of samples, as the amplitude of a sine
// (1.0 = full scale).
inline double toneLevel(const std::vector<double>& samples, std::size_t begin, std::size_t count,
                        double hertz) {
    double re = 0;
    double im = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const double phase = 2 * std::numbers::pi * hertz * static_cast<double>(i) / kRate;
        re += samples[begin + i] * std::cos(phase);
        im += samples[begin + i] * std::sin(phase);
    }
    return 2 * std::hypot(re, im) / static_cast<double>(count);
}

// Every write kept in order, in one log with what the host is asked to do.
class RecordingSettings : public device::TextSettings {
public:
    explicit RecordingSettings(std::vector<std::string>& log) : log_(log) {}

protected:
    std::optional<std::string> readText(std::string_view) override { return std::nullopt; }
    void writeText(std::string_view name, const std::string& text) override {
        log_.push_back("write " + std::string(name) + "=" + text);
    }

private:
    std::vector<std::string>& log_;
};

class RecordingHost : public sound::SoundHost {
public:
    explicit RecordingHost(std::vector<std::string>& log) : log_(log) {}
    void showError(const std::string& message) override { log_.push_back("error " + message); }
    void requestTerminate() override { log_.push_back("terminate"); }

private:
    std::vector<std::string>& log_;
};

// Each test gets its own folder for sound files and for the mixed output that SDL's disk
// driver writes, so tests can run side by side.
class SoundTest : public testing::Test {
protected:
    void SetUp() override {
        fs::remove_all(folder);
        fs::create_directories(folder / "Sound");
        // Never real hardware: the disk driver, a few times faster than real time.
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", mixFile.c_str(), 1);
        setenv("SDL_DISKAUDIODELAY", "4", 0);
    }

    void TearDown() override {
        output.Snd_Release();
        fs::remove_all(folder);
    }

    void install(const char* fileName, const std::vector<std::uint8_t>& bytes) {
        ASSERT_TRUE(wav::writeFile((folder / "Sound" / fileName).string(), bytes));
    }

    void installAll() {
        install("Gameover.wav", sineWav(440, 300));
        install("Got.wav", sineWav(880, 150));
        install("Miss.wav", sineWav(660, 150));
        install("Move.wav", sineWav(1320, 60));
        install("Start.wav", sineWav(1760, 150));
    }

    // Until the mixer has played every voice to its end (a guard, not a timing check).
    static void waitUntilQuiet() {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (Mix_Playing(-1) > 0 && std::chrono::steady_clock::now() < giveUp) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        ASSERT_EQ(Mix_Playing(-1), 0) << "voices still sounding after 10 s";
    }

    // The left channel of everything mixed so far; closes the output so all of it is on disk.
    std::vector<double> finishAndReadMix() {
        output.Snd_Release();
        std::ifstream file(mixFile, std::ios::binary);
        std::vector<char> bytes{std::istreambuf_iterator<char>(file), {}};
        std::vector<double> left;
        for (std::size_t i = 0; i + 3 < bytes.size(); i += 4) {
            const auto lo = static_cast<std::uint8_t>(bytes[i]);
            const auto hi = static_cast<std::uint8_t>(bytes[i + 1]);
            const auto value = static_cast<std::int16_t>(lo | (hi << 8));
            left.push_back(value / 32768.0);
        }
        return left;
    }

    static double peak(const std::vector<double>& samples) {
        double highest = 0;
        for (double v : samples) {
            highest = std::max(highest, std::abs(v));
        }
        return highest;
    }

    // Under the folder the test run's SDL_DISKAUDIOFILE names, as first seen.
    static fs::path scratchFolder() {
        static const fs::path root = [] {
            const char* diskFile = std::getenv("SDL_DISKAUDIOFILE");
            return diskFile != nullptr ? fs::absolute(diskFile).parent_path()
                                       : fs::temp_directory_path();
        }();
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        return root / (std::string("sound-") + info->test_suite_name() + "-" + info->name() + "-" +
                       std::to_string(getpid()));
    }

    fs::path folder = scratchFolder();
    fs::path mixFile = folder / "mix.raw";
    std::vector<std::string> log;
    RecordingSettings settings{log};
    RecordingHost host{log};
    sound::SoundOutput output{settings, host, folder};
};

} // namespace sound_test
