#include <cstdlib>
#include <string>
#include <vector>

#include "tests/sound/sound_fixture.h"

namespace sound_test {
namespace {

using device::Sample;
using Log = std::vector<std::string>;

const std::string kFolderError =
    "error Sound folder unproperly installed. Please reinstall the game.";

// Stretches of 512 samples, every 256, in which both tones sound at least at `level`.
int windowsWithBoth(const std::vector<double>& mix, double firstHertz, double secondHertz,
                    double level) {
    int count = 0;
    for (std::size_t begin = 0; begin + 512 <= mix.size(); begin += 256) {
        if (toneLevel(mix, begin, 512, firstHertz) > level &&
            toneLevel(mix, begin, 512, secondHertz) > level) {
            ++count;
        }
    }
    return count;
}

double strongest(const std::vector<double>& mix, double hertz) {
    double best = 0;
    for (std::size_t begin = 0; begin + 512 <= mix.size(); begin += 256) {
        best = std::max(best, toneLevel(mix, begin, 512, hertz));
    }
    return best;
}

TEST_F(SoundTest, APlayIsHeardInTheMix) {
    installAll();
    ASSERT_TRUE(output.Snd_Start(sound::kSoundModeDirectSound));
    output.Snd_Play(Sample::Got);
    waitUntilQuiet();
    const auto mix = finishAndReadMix();
    EXPECT_GT(peak(mix), 0.25);
    EXPECT_GT(strongest(mix, 880), 0.25);
}

TEST_F(SoundTest, TheBeepSoundsOnlyWithSoundOn) {
    installAll();
    ASSERT_TRUE(output.Snd_Start(sound::kSoundModeDirectSound));
    EXPECT_TRUE(output.Snd_Beep());
    waitUntilQuiet();
    EXPECT_GT(peak(finishAndReadMix()), 0.1);
    output.Snd_Release();
    EXPECT_EQ(output.SampleBeep, nullptr);

    sound::SoundOutput silent(settings, host, folder);
    ASSERT_TRUE(silent.Snd_Start(sound::kSoundModeNone));
    EXPECT_FALSE(silent.Snd_Beep()); // the caller falls back to the platform's beep
}

TEST_F(SoundTest, OverlappingPlaysAreBothInTheMix) {
    install("Gameover.wav", sineWav(440, 300));
    install("Start.wav", sineWav(1760, 150));
    ASSERT_TRUE(output.Snd_Start(sound::kSoundModeDirectSound));
    device::SoundPlayer& player = output;
    player.play(Sample::Gameover);
    player.play(Sample::Start);
    waitUntilQuiet();
    const auto mix = finishAndReadMix();
    // 150 ms of overlap is about a dozen such stretches; a cut-off first tone leaves none.
    EXPECT_GE(windowsWithBoth(mix, 440, 1760, 0.25), 6);
}

TEST_F(SoundTest, TheUsersDriverOverridesTheMultimediaOutput) {
    installAll();
    EXPECT_TRUE(output.Snd_Start(sound::kSoundModeWinMM));
    EXPECT_EQ(log, Log({"write SoundMode=1"}));
    output.Snd_Play(Sample::Move);
    waitUntilQuiet();
    EXPECT_GT(strongest(finishAndReadMix(), 1320), 0.25);
}

TEST_F(SoundTest, NoSoundLoadsNothingAndEveryPlayIsANoOp) {
    installAll();
    EXPECT_TRUE(output.Snd_Start(sound::kSoundModeNone));
    EXPECT_EQ(log, Log({"write SoundMode=2"}));
    EXPECT_FALSE(output.SoundEnabled);
    for (FSOUND_SAMPLE* handle : {output.SampleGameOver, output.SampleGot, output.SampleMiss,
                                  output.SampleMove, output.SampleStart}) {
        EXPECT_EQ(handle, nullptr);
    }
    for (Sample sample :
         {Sample::Gameover, Sample::Got, Sample::Miss, Sample::Move, Sample::Start}) {
        output.Snd_Play(sample);
    }
    EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 0) << "the mixer was opened";
    output.Snd_Release();
    EXPECT_FALSE(fs::exists(mixFile)) << "an output was opened";
    EXPECT_EQ(log.size(), 1u);
}

TEST_F(SoundTest, AMissingSoundFolderEndsTheProgramAndResetsTheChoice) {
    fs::remove_all(folder / "Sound");
    EXPECT_FALSE(output.Snd_Start(sound::kSoundModeDirectSound));
    EXPECT_EQ(log, Log({"write SoundMode=0", kFolderError, "write SoundMode=-1",
                        "write SplashScreen=1", "terminate"}));
}

TEST_F(SoundTest, ACorruptGameoverSoundEndsTheProgramAndResetsTheChoice) {
    installAll();
    install("Gameover.wav", {'R', 'I', 'F', 'F', 0x10, 0, 0, 0, 'W', 'A', 'V', 'E', 'j', 'u'});
    EXPECT_FALSE(output.Snd_Start(sound::kSoundModeWinMM));
    EXPECT_EQ(log, Log({"write SoundMode=1", kFolderError, "write SoundMode=-1",
                        "write SplashScreen=1", "terminate"}));
}

TEST_F(SoundTest, OnlyTheGameoverSoundIsEnoughAndTheOthersAreSilent) {
    install("Gameover.wav", sineWav(440, 300));
    EXPECT_TRUE(output.Snd_Start(sound::kSoundModeDirectSound));
    EXPECT_EQ(log, Log({"write SoundMode=0"}));
    EXPECT_NE(output.SampleGameOver, nullptr);
    EXPECT_EQ(output.SampleGot, nullptr);
    EXPECT_EQ(output.SampleMiss, nullptr);
    EXPECT_EQ(output.SampleMove, nullptr);
    EXPECT_EQ(output.SampleStart, nullptr);

    for (Sample sample : {Sample::Got, Sample::Miss, Sample::Move, Sample::Start}) {
        output.Snd_Play(sample);
    }
    output.Snd_Play(Sample::Gameover);
    waitUntilQuiet();
    const auto mix = finishAndReadMix();
    EXPECT_GT(strongest(mix, 440), 0.25);
    EXPECT_LT(peak(mix), 0.31) << "something besides the Gameover sound was mixed";
}

TEST_F(SoundTest, NoAudioOutputIsNotABrokenSoundFolder) {
    installAll();
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    testing::internal::CaptureStderr();
    EXPECT_TRUE(output.Snd_Start(sound::kSoundModeDirectSound));
    output.Snd_Play(Sample::Start);
    const std::string said = testing::internal::GetCapturedStderr();

    EXPECT_EQ(log, Log({"write SoundMode=0"}));
    EXPECT_TRUE(output.SoundEnabled);
    for (FSOUND_SAMPLE* handle : {output.SampleGameOver, output.SampleGot, output.SampleMiss,
                                  output.SampleMove, output.SampleStart}) {
        EXPECT_NE(handle, nullptr);
    }
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find("no-such-driver"), std::string::npos) << said;
}

TEST_F(SoundTest, ReleaseWithoutAStartOrTwiceDoesNothing) {
    output.Snd_Release();
    output.Snd_Play(Sample::Got);
    EXPECT_TRUE(log.empty());

    installAll();
    ASSERT_TRUE(output.Snd_Start(sound::kSoundModeDirectSound));
    output.Snd_Release();
    EXPECT_EQ(output.SampleGameOver, nullptr);
    output.Snd_Play(Sample::Gameover);
    output.Snd_Release();
    EXPECT_EQ(log, Log({"write SoundMode=0"}));
}

} // namespace
} // namespace sound_test
