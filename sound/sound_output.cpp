#include "sound_output.h"

#include <utility>

#include "device/setting_entries.h"

namespace sound {

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

void SoundOutput::Snd_Release() {
    for (FSOUND_SAMPLE** handle :
         {&SampleGameOver, &SampleGot, &SampleMiss, &SampleMove, &SampleStart}) {
        FSOUND_Sample_Free(*handle);
        *handle = nullptr;
    }
    FSOUND_Close();
}

} // namespace sound
