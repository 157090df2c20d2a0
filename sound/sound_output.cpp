#include "sound/sound_output.h"

#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "device/setting_entries.h"
#include "sound/wav_encode.h"

namespace sound {
namespace {

// A soft two-note chime, 130 ms at 22050 Hz: E6 then A6, each with a raised-cosine envelope.
std::vector<std::uint8_t> beepWav() {
    constexpr int kRate = 22050;
    std::vector<std::int16_t> samples;
    for (double hertz : {1318.5, 1760.0}) {
        const int count = kRate * 65 / 1000;
        for (int i = 0; i < count; ++i) {
            const double t = static_cast<double>(i) / kRate;
            const double envelope = std::sin(std::numbers::pi * i / count);
            samples.push_back(static_cast<std::int16_t>(
                std::lround(6000.0 * envelope * std::sin(2 * std::numbers::pi * hertz * t))));
        }
    }
    return wav::encodeMono16(samples, kRate);
}

} // namespace

SoundOutput::SoundOutput(device::Settings& settings, SoundHost& host,
                         std::filesystem::path baseFolder)
    : settings_(settings), host_(host), soundFolder_(std::move(baseFolder) / "Sound") {}

FSOUND_SAMPLE* SoundOutput::load(const char* fileName) const {
    const std::string path = (soundFolder_ / fileName).generic_string();
    return FSOUND_Sample_Load(FSOUND_FREE, path.c_str(), FSOUND_2D, 0, 0);
}

bool SoundOutput::Snd_Start(int soundMode) {
    if (soundMode < kSoundModeDirectSound || soundMode > kSoundModeNone) {
        return false;
    }
    // Stored before the library starts, so a broken installation can still overwrite it.
    device::setting::write(settings_, device::setting::SoundMode, soundMode);
    SoundEnabled = soundMode != kSoundModeNone;
    if (!SoundEnabled) {
        return true;
    }
    FSOUND_SetOutput(soundMode == kSoundModeWinMM ? FSOUND_OUTPUT_WINMM : FSOUND_OUTPUT_DSOUND);
    FSOUND_Init(22050, 64, 0);
    SampleGameOver = load("Gameover.wav");
    SampleGot = load("Got.wav");
    SampleMiss = load("Miss.wav");
    SampleMove = load("Move.wav");
    SampleStart = load("Start.wav");
    // Only the first sound stands for the whole folder; a missing other one is just silent.
    if (SampleGameOver == nullptr) {
        host_.showError(kSoundFolderError);
        device::setting::write(settings_, device::setting::SoundMode, -1);
        device::setting::write(settings_, device::setting::SplashScreen, true);
        host_.requestTerminate();
        return false;
    }
    return true;
}

void SoundOutput::Snd_Play(device::Sample sample) {
    if (!SoundEnabled) {
        return;
    }
    FSOUND_SAMPLE* handle = nullptr;
    switch (sample) {
    case device::Sample::Gameover:
        handle = SampleGameOver;
        break;
    case device::Sample::Got:
        handle = SampleGot;
        break;
    case device::Sample::Miss:
        handle = SampleMiss;
        break;
    case device::Sample::Move:
        handle = SampleMove;
        break;
    case device::Sample::Start:
        handle = SampleStart;
        break;
    }
    FSOUND_PlaySound(FSOUND_FREE, handle);
}

bool SoundOutput::Snd_Beep() {
    if (!SoundEnabled) {
        return false;
    }
    if (SampleBeep == nullptr) {
        static const std::vector<std::uint8_t> wav = beepWav();
        SampleBeep =
            FSOUND_Sample_Load(FSOUND_FREE, reinterpret_cast<const char*>(wav.data()),
                               FSOUND_2D | FSOUND_LOADMEMORY, 0, static_cast<int>(wav.size()));
    }
    return SampleBeep != nullptr && FSOUND_PlaySound(FSOUND_FREE, SampleBeep) >= 0;
}

void SoundOutput::Snd_Release() {
    for (FSOUND_SAMPLE** handle :
         {&SampleGameOver, &SampleGot, &SampleMiss, &SampleMove, &SampleStart, &SampleBeep}) {
        FSOUND_Sample_Free(*handle);
        *handle = nullptr;
    }
    FSOUND_Close();
}

} // namespace sound
