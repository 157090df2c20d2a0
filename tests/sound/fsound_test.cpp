#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "sound/fsound.h"
#include "sound/sound_file.h"
#include "tests/sound/sound_fixture.h"

namespace sound_test {
namespace {

using Bytes = std::vector<std::uint8_t>;

class FsoundTest : public SoundTest {
protected:
    std::string write(const char* name, const Bytes& bytes) {
        const std::string path = (folder / name).string();
        EXPECT_TRUE(wav::writeFile(path, bytes));
        return path;
    }

    static FSOUND_SAMPLE* load(const std::string& path, int offset = 0, int length = 0) {
        return FSOUND_Sample_Load(FSOUND_FREE, path.c_str(), FSOUND_2D, offset, length);
    }
};

std::atomic<int> lastMixBytes{0};

void SDLCALL recordMixLength(void*, Uint8*, int len) {
    lastMixBytes = len;
}

TEST_F(FsoundTest, InitMixesAt22050HzOnSixtyFourVoicesInShortBuffers) {
    FSOUND_SetOutput(FSOUND_OUTPUT_DSOUND);
    ASSERT_TRUE(FSOUND_Init(22050, 64, 0));
    int rate = 0;
    Uint16 format = 0;
    int channels = 0;
    ASSERT_NE(Mix_QuerySpec(&rate, &format, &channels), 0);
    EXPECT_EQ(rate, 22050);
    EXPECT_EQ(Mix_AllocateChannels(-1), 64);

    lastMixBytes = 0;
    Mix_SetPostMix(recordMixLength, nullptr);
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (lastMixBytes == 0 && std::chrono::steady_clock::now() < giveUp) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    Mix_SetPostMix(nullptr, nullptr);
    const int frameBytes = channels * static_cast<int>(SDL_AUDIO_BITSIZE(format) / 8);
    ASSERT_GT(lastMixBytes, 0);
    EXPECT_LE(lastMixBytes / frameBytes, 512);
}

TEST_F(FsoundTest, DamagedOrMissingFilesGiveEmptyHandles) {
    ASSERT_TRUE(FSOUND_Init(22050, 64, 0));
    Bytes whole = sineWav(440, 100);
    Bytes truncated(whole.begin(), whole.begin() + static_cast<long>(whole.size() / 2));
    Bytes headerOnly(whole.begin(), whole.begin() + 44);
    headerOnly.resize(40);
    Bytes unknownCoding = whole;
    unknownCoding[20] = 0x34; // a format code no decoder knows
    Bytes noChannels = whole;
    noChannels[22] = 0;
    Bytes garbage;
    for (int i = 0; i < 400; ++i) {
        garbage.push_back(static_cast<std::uint8_t>(i * 37 + 11));
    }

    EXPECT_EQ(load((folder / "absent.wav").string()), nullptr);
    EXPECT_EQ(load((folder / "Sound").string()), nullptr) << "a folder";
    EXPECT_EQ(load(write("empty.wav", {})), nullptr);
    EXPECT_EQ(load(write("truncated.wav", truncated)), nullptr);
    EXPECT_EQ(load(write("header.wav", headerOnly)), nullptr);
    EXPECT_EQ(load(write("coding.wav", unknownCoding)), nullptr);
    EXPECT_EQ(load(write("channels.wav", noChannels)), nullptr);
    EXPECT_EQ(load(write("garbage.wav", garbage)), nullptr);
    EXPECT_EQ(FSOUND_Sample_Load(FSOUND_FREE, nullptr, FSOUND_2D, 0, 0), nullptr);
    EXPECT_NE(load(write("whole.wav", whole)), nullptr);
}

TEST_F(FsoundTest, AWavInsideALargerFileLoadsByOffsetAndLength) {
    const Bytes sound = sineWav(440, 50);
    Bytes container(100 + sound.size() + 60, 0xAB);
    std::copy(sound.begin(), sound.end(), container.begin() + 100);
    const std::string path = write("container.bin", container);

    EXPECT_NE(load(path, 100, static_cast<int>(sound.size())), nullptr);
    EXPECT_EQ(load(path), nullptr);
    EXPECT_EQ(load(path, static_cast<int>(container.size()) + 1), nullptr);
}

// A FIFO would hold an ordinary open until someone writes to it, and /dev/zero never ends,
// so these loads run in a child process that an alarm ends should one of them wait.
TEST_F(FsoundTest, OnlyRegularFilesOrLinksToOneAreRead) {
    const std::string fifo = (folder / "fifo.wav").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", folder / "zero.wav");
    fs::create_symlink(write("tone.wav", sineWav(440, 50)), folder / "tone-link.wav");

    EXPECT_NE(load((folder / "tone-link.wav").string()), nullptr);
    EXPECT_EXIT(
        {
            alarm(10);
            const bool refused =
                load(fifo) == nullptr && load((folder / "zero.wav").string()) == nullptr;
            std::_Exit(refused ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

// A valid WAV of `fileBytes` whose samples are silence, written sparsely.
std::string silentWav(const fs::path& path, std::uint32_t fileBytes) {
    Bytes header = wav::encodeMono16({}, kRate);
    const std::uint32_t dataBytes = fileBytes - 44;
    for (int i = 0; i < 4; ++i) {
        header[4 + i] = static_cast<std::uint8_t>((fileBytes - 8) >> (8 * i));
        header[40 + i] = static_cast<std::uint8_t>(dataBytes >> (8 * i));
    }
    EXPECT_TRUE(wav::writeFile(path.string(), header));
    fs::resize_file(path, fileBytes);
    return path.string();
}

TEST_F(FsoundTest, AFileOverTheSizeLimitIsNotRead) {
    const auto limit = static_cast<std::uint32_t>(sound::kMaxSoundFileBytes);
    EXPECT_NE(load(silentWav(folder / "limit.wav", limit)), nullptr);
    EXPECT_EQ(load(silentWav(folder / "over.wav", limit + 2)), nullptr);
}

TEST_F(FsoundTest, EmptyHandlesAndALibraryNeverStartedDoNothing) {
    FSOUND_Close();
    EXPECT_EQ(FSOUND_PlaySound(FSOUND_FREE, nullptr), -1);
    FSOUND_Sample_Free(nullptr);

    // Decoding needs no output; playing without one is silent.
    FSOUND_SAMPLE* sample = load(write("tone.wav", sineWav(440, 50)));
    ASSERT_NE(sample, nullptr);
    EXPECT_EQ(FSOUND_PlaySound(FSOUND_FREE, sample), -1);
    FSOUND_Sample_Free(sample);
    FSOUND_Sample_Free(sample);
    EXPECT_EQ(FSOUND_PlaySound(FSOUND_FREE, sample), -1) << "a freed handle played";
    FSOUND_Close();
}

TEST_F(FsoundTest, NewPlaysTakeFreeVoicesAndNeverCutSoundingOnes) {
    ASSERT_TRUE(FSOUND_Init(22050, 64, 0));
    FSOUND_SAMPLE* longTone = load(write("long.wav", sineWav(440, 3000)));
    ASSERT_NE(longTone, nullptr);

    std::vector<int> voices;
    for (int i = 0; i < 64; ++i) {
        voices.push_back(FSOUND_PlaySound(FSOUND_FREE, longTone));
    }
    std::sort(voices.begin(), voices.end());
    EXPECT_EQ(voices.front(), 0);
    EXPECT_EQ(std::unique(voices.begin(), voices.end()) - voices.begin(), 64);
    EXPECT_EQ(FSOUND_PlaySound(FSOUND_FREE, longTone), -1) << "no free voice left";
    EXPECT_EQ(Mix_Playing(-1), 64);

    FSOUND_Sample_Free(longTone);
    EXPECT_EQ(Mix_Playing(-1), 0) << "a freed sample still sounds";
}

} // namespace
} // namespace sound_test
