#include <SDL_mixer.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <numbers>
#include <string>
#include <thread>
#include <vector>

#include "device/stored_text.h"
#include "sound/sound_output.h"
#include "sound/wav_encode.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct NullSettings : device::TextSettings {
    std::optional<std::string> readText(std::string_view) override { return std::nullopt; }
    void writeText(std::string_view, const std::string&) override {}
};

struct NullHost : sound::SoundHost {
    void showError(const std::string&) override {}
    void requestTerminate() override {}
};

std::vector<std::uint8_t> beep(double hertz, int ms) {
    std::vector<std::int16_t> pcm(static_cast<std::size_t>(22050 * ms / 1000));
    for (std::size_t i = 0; i < pcm.size(); ++i) {
        pcm[i] =
            static_cast<std::int16_t>(8000 * std::sin(2 * std::numbers::pi * hertz * i / 22050));
    }
    return wav::encodeMono16(pcm, 22050);
}

// Sound started once for all benchmarks. Without a driver named in SDL_AUDIODRIVER it mixes
// into a scratch file at the pace of a real device, so it runs on machines without one.
struct StartedSound {
    StartedSound() {
        fs::create_directories(folder / "Sound");
        if (std::getenv("SDL_AUDIODRIVER") == nullptr) {
            setenv("SDL_AUDIODRIVER", "disk", 1);
            setenv("SDL_DISKAUDIOFILE", (folder / "mix.raw").c_str(), 1);
        }
        for (const char* name : {"Gameover.wav", "Got.wav", "Miss.wav", "Move.wav", "Start.wav"}) {
            wav::writeFile((folder / "Sound" / name).string(), beep(2000, 40));
        }
        started = output.Snd_Start(sound::kSoundModeDirectSound) &&
                  Mix_QuerySpec(nullptr, nullptr, nullptr) != 0;
    }
    ~StartedSound() {
        output.Snd_Release();
        fs::remove_all(folder);
    }

    fs::path folder =
        fs::temp_directory_path() / ("zemblor-sound-bench-" + std::to_string(getpid()));
    NullSettings settings;
    NullHost host;
    sound::SoundOutput output{settings, host, folder};
    bool started = false;
};

StartedSound& sound() {
    static StartedSound instance;
    return instance;
}

void BM_SndPlayReturns(benchmark::State& state) {
    StartedSound& s = sound();
    if (!s.started) {
        state.SkipWithError("no audio output");
        return;
    }
    int sounding = 0;
    for (auto _ : state) {
        s.output.Snd_Play(device::Sample::Move);
        // Keep voices free, so every play really starts one.
        if (++sounding == 48) {
            state.PauseTiming();
            Mix_HaltChannel(-1);
            sounding = 0;
            state.ResumeTiming();
        }
    }
    Mix_HaltChannel(-1);
}
BENCHMARK(BM_SndPlayReturns)->Unit(benchmark::kMicrosecond);

std::atomic<bool> listening{false};
std::atomic<Clock::rep> firstHeard{0};

// Runs on the audio thread after each mix: notes when a mixed buffer first carries sound.
void SDLCALL watchMix(void*, Uint8* stream, int len) {
    if (!listening) {
        return;
    }
    if (std::any_of(stream, stream + len, [](Uint8 byte) { return byte != 0; })) {
        firstHeard = Clock::now().time_since_epoch().count();
        listening = false;
    }
}

void BM_PlayToFirstMixedSample(benchmark::State& state) {
    StartedSound& s = sound();
    if (!s.started) {
        state.SkipWithError("no audio output");
        return;
    }
    Mix_SetPostMix(watchMix, nullptr);
    double longest = 0;
    int round = 0;
    for (auto _ : state) {
        Mix_HaltChannel(-1);
        // Requests land at every point of the mixer's cycle, not just after a buffer.
        std::this_thread::sleep_for(std::chrono::milliseconds(round++ * 7 % 23));
        firstHeard = 0;
        listening = true;
        const auto asked = Clock::now();
        s.output.Snd_Play(device::Sample::Move);
        const auto giveUp = asked + std::chrono::seconds(2);
        while (firstHeard == 0 && Clock::now() < giveUp) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        if (firstHeard == 0) {
            state.SkipWithError("the play never reached the mixer");
            break;
        }
        const double seconds = std::chrono::duration<double>(Clock::duration(firstHeard.load()) -
                                                             asked.time_since_epoch())
                                   .count();
        longest = std::max(longest, seconds);
        state.SetIterationTime(seconds);
    }
    listening = false;
    Mix_SetPostMix(nullptr, nullptr);
    Mix_HaltChannel(-1);
    state.counters["max_ms"] = longest * 1000;
}
BENCHMARK(BM_PlayToFirstMixedSample)
    ->UseManualTime()
    ->Iterations(60)
    ->Unit(benchmark::kMillisecond);

} // namespace
