#include "sound/fsound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#ifdef __linux__
#include <dlfcn.h>
#endif

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "sound/sound_file.h"

struct FSOUND_SAMPLE {
    SDL_AudioSpec spec{};
    std::vector<Uint8> pcm;   // as decoded from the file
    std::vector<Uint8> mixed; // in the mixer's format, when an output is open
    Mix_Chunk* chunk = nullptr;

    ~FSOUND_SAMPLE() {
        // Halts every voice still playing the chunk before its samples go away.
        if (chunk != nullptr) {
            Mix_FreeChunk(chunk);
        }
    }
};

namespace {

constexpr int kMaxBufferFrames = 512;

struct Library {
    int outputType = FSOUND_OUTPUT_DSOUND;
    bool audioStarted = false; // SDL's audio subsystem is initialised
    bool mixerOpen = false;
    std::vector<std::unique_ptr<FSOUND_SAMPLE>> samples;

    ~Library() { close(); }

    void close() {
        samples.clear();
        if (mixerOpen) {
            Mix_CloseAudio();
            mixerOpen = false;
        }
        if (audioStarted) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            audioStarted = false;
        }
    }
};

Library& library() {
    static Library instance;
    return instance;
}

// The SDL driver for an output type, or nullptr for SDL's own choice.
const char* driverFor(int outputType) {
#ifdef _WIN32
    return outputType == FSOUND_OUTPUT_WINMM ? "winmm" : "directsound";
#else
    return outputType == FSOUND_OUTPUT_WINMM ? "alsa" : nullptr;
#endif
}

bool userChoseDriver() {
    const char* named = SDL_getenv("SDL_AUDIODRIVER");
    return named != nullptr && *named != '\0';
}

// Hints at normal priority: a driver named in the environment still wins.
void selectDriver(int outputType) {
    const char* driver = userChoseDriver() ? nullptr : driverFor(outputType);
    if (driver != nullptr) {
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, driver, SDL_HINT_NORMAL);
    } else {
        SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    }
}

std::string outputName(int outputType) {
    if (userChoseDriver()) {
        return std::string("SDL_AUDIODRIVER=") + SDL_getenv("SDL_AUDIODRIVER");
    }
    const char* driver = driverFor(outputType);
    return driver != nullptr ? driver : "default output";
}

#ifdef __linux__
// ALSA prints its own lines about a missing card while SDL probes it; the one line below
// says the same. Quiet only while opening: later ALSA errors still show.
class QuietAlsa {
public:
    QuietAlsa() : library_(dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL)) { setHandler(silent); }
    ~QuietAlsa() {
        setHandler(nullptr);
        if (library_ != nullptr) {
            dlclose(library_);
        }
    }
    QuietAlsa(const QuietAlsa&) = delete;
    QuietAlsa& operator=(const QuietAlsa&) = delete;

private:
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);

    static void silent(const char*, int, const char*, int, const char*, ...) {}

    void setHandler(Handler handler) {
        if (library_ == nullptr) {
            return;
        }
        using SetHandler = int (*)(Handler);
        if (auto set = reinterpret_cast<SetHandler>(dlsym(library_, "snd_lib_error_set_handler"))) {
            set(handler);
        }
    }

    void* library_;
};
#else
struct QuietAlsa {};
#endif

void reportNoOutput(int outputType) {
    std::cerr << "sound: no audio output (" << outputName(outputType) << "): " << SDL_GetError()
              << "; sounds are silent\n";
}

bool decodeWav(const Uint8* data, size_t size, FSOUND_SAMPLE& sample) {
    // A data chunk shorter than its header claims is a damaged file, not a shorter sound.
    SDL_SetHintWithPriority(SDL_HINT_WAVE_TRUNCATION, "strict", SDL_HINT_DEFAULT);
    SDL_RWops* memory = SDL_RWFromConstMem(data, static_cast<int>(size));
    if (memory == nullptr) {
        return false;
    }
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    if (SDL_LoadWAV_RW(memory, 1, &sample.spec, &buffer, &length) == nullptr) {
        return false;
    }
    sample.pcm.assign(buffer, buffer + length);
    SDL_FreeWAV(buffer);
    return true;
}

// Converts to the open mixer's format; a sample that cannot be converted stays silent.
void prepareForMixer(FSOUND_SAMPLE& sample) {
    int rate = 0;
    Uint16 format = 0;
    int channels = 0;
    if (Mix_QuerySpec(&rate, &format, &channels) == 0 || sample.pcm.empty()) {
        return;
    }
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, sample.spec.format, sample.spec.channels, sample.spec.freq, format,
                          static_cast<Uint8>(channels), rate) < 0) {
        return;
    }
    cvt.len = static_cast<int>(sample.pcm.size());
    sample.mixed.resize(static_cast<size_t>(cvt.len) * static_cast<size_t>(cvt.len_mult));
    std::copy(sample.pcm.begin(), sample.pcm.end(), sample.mixed.begin());
    cvt.buf = sample.mixed.data();
    if (cvt.needed != 0 && SDL_ConvertAudio(&cvt) < 0) {
        sample.mixed.clear();
        return;
    }
    sample.mixed.resize(static_cast<size_t>(cvt.needed != 0 ? cvt.len_cvt : cvt.len));
    sample.chunk = Mix_QuickLoad_RAW(sample.mixed.data(), static_cast<Uint32>(sample.mixed.size()));
}

bool isLoaded(const FSOUND_SAMPLE* sample) {
    const auto& samples = library().samples;
    return std::any_of(samples.begin(), samples.end(),
                       [sample](const auto& owned) { return owned.get() == sample; });
}

} // namespace

bool FSOUND_SetOutput(int outputType) {
    if (outputType != FSOUND_OUTPUT_WINMM && outputType != FSOUND_OUTPUT_DSOUND) {
        return false;
    }
    library().outputType = outputType;
    return true;
}

bool FSOUND_Init(int mixrate, int maxsoftwarechannels, unsigned /*flags*/) {
    Library& lib = library();
    if (lib.audioStarted) {
        return lib.mixerOpen;
    }
    SDL_SetMainReady();
    selectDriver(lib.outputType);
    QuietAlsa quiet;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        reportNoOutput(lib.outputType);
        return false;
    }
    lib.audioStarted = true;
    // No format changes allowed: SDL converts for the device, so mixing stays at `mixrate`.
    if (Mix_OpenAudioDevice(mixrate, AUDIO_S16SYS, 2, kMaxBufferFrames, nullptr, 0) != 0) {
        reportNoOutput(lib.outputType);
        return false;
    }
    lib.mixerOpen = true;
    Mix_AllocateChannels(std::max(1, maxsoftwarechannels));
    return true;
}

FSOUND_SAMPLE* FSOUND_Sample_Load(int /*index*/, const char* name, unsigned mode, int offset,
                                  int length) {
    if (name == nullptr || offset < 0 || length < 0) {
        return nullptr;
    }
    std::vector<Uint8> file;
    if (mode & FSOUND_LOADMEMORY) {
        const auto* bytes = reinterpret_cast<const Uint8*>(name);
        file.assign(bytes, bytes + length);
        length = 0;
    } else if (auto read = sound::readSoundFile(name)) {
        file = std::move(*read);
    } else {
        return nullptr;
    }
    if (static_cast<size_t>(offset) > file.size()) {
        return nullptr;
    }
    size_t size = file.size() - static_cast<size_t>(offset);
    if (length > 0) {
        size = std::min(size, static_cast<size_t>(length));
    }
    auto sample = std::make_unique<FSOUND_SAMPLE>();
    if (!decodeWav(file.data() + offset, size, *sample)) {
        return nullptr;
    }
    Library& lib = library();
    if (lib.mixerOpen) {
        prepareForMixer(*sample);
    }
    lib.samples.push_back(std::move(sample));
    return lib.samples.back().get();
}

int FSOUND_PlaySound(int channel, FSOUND_SAMPLE* sample) {
    if (sample == nullptr || !isLoaded(sample) || sample->chunk == nullptr) {
        return -1;
    }
    return Mix_PlayChannel(channel == FSOUND_FREE ? -1 : channel, sample->chunk, 0);
}

void FSOUND_Sample_Free(FSOUND_SAMPLE* sample) {
    auto& samples = library().samples;
    auto it = std::find_if(samples.begin(), samples.end(),
                           [sample](const auto& owned) { return owned.get() == sample; });
    if (it != samples.end()) {
        samples.erase(it);
    }
}

void FSOUND_Close() {
    library().close();
}
