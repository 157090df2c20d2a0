#pragma once

#include <filesystem>
#include <string>

#include "device/ports.h"
#include "sound/fsound.h"
#include "sound/sound_host.h"

namespace sound {

// The sound output choices, in the order of the splash dialog's driver list.
constexpr int kSoundModeDirectSound = 0;
constexpr int kSoundModeWinMM = 1;
constexpr int kSoundModeNone = 2;

inline constexpr const char* kSoundFolderError =
    "Sound folder unproperly installed. Please reinstall the game.";

// The device's five beeps: started once with the user's output choice, played on any free
// voice, released at close. The sound files lie in "Sound/" under `baseFolder` (by default
// the working directory).
class SoundOutput : public device::SoundPlayer {
public:
    SoundOutput(device::Settings& settings, SoundHost& host, std::filesystem::path baseFolder = {});

    // Returns false when the sound files are broken (the program is then asked to end) and
    // for a mode outside 0..2, which starts nothing and stores nothing.
    bool Snd_Start(int soundMode);
    void Snd_Play(device::Sample sample);
    void Snd_Release();
    // The program's own short beep (the menu's "Reset Hiscores" confirms with it). False when
    // sound is off, so the caller can fall back to the platform's beep.
    bool Snd_Beep();

    void play(device::Sample sample) override { Snd_Play(sample); }

    bool SoundEnabled = false;
    FSOUND_SAMPLE* SampleGameOver = nullptr;
    FSOUND_SAMPLE* SampleGot = nullptr;
    FSOUND_SAMPLE* SampleMiss = nullptr;
    FSOUND_SAMPLE* SampleMove = nullptr;
    FSOUND_SAMPLE* SampleStart = nullptr;
    FSOUND_SAMPLE* SampleBeep = nullptr; // made on first use

private:
    FSOUND_SAMPLE* load(const char* fileName) const;

    device::Settings& settings_;
    SoundHost& host_;
    std::filesystem::path soundFolder_;
};

} // namespace sound
