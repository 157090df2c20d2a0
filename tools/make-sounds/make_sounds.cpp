// Writes the device's five beeps as 22050 Hz, 16-bit mono WAV files into the folder given on
// the command line. Pure arithmetic, no clock and no randomness: every run writes the same
// bytes.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <numbers>
#include <string>
#include <vector>

#include "sound/wav_encode.h"

namespace {

constexpr int kRate = 22050;
// Harmonics stop well below half the rate, so the squares do not alias into odd tones.
constexpr double kHighestHarmonic = 9500.0;

struct Note {
    double hertz = 0; // 0 is a rest
    double ms = 0;
    double attackMs = 2;  // raised-cosine fade-in; under a millisecond it clicks
    double releaseMs = 8; // raised-cosine fade-out at the note's end
    double decayMs = 0;   // exponential decay time constant; 0 holds the level
    double level = 0.25;  // of full scale
};

int samplesFor(double ms) {
    return static_cast<int>(std::lround(ms * kRate / 1000.0));
}

// A band-limited square wave: the odd harmonics below kHighestHarmonic.
double square(double hertz, double seconds) {
    double sum = 0;
    for (int k = 1; k * hertz < kHighestHarmonic; k += 2) {
        sum += std::sin(2 * std::numbers::pi * k * hertz * seconds) / k;
    }
    return sum * 4 / std::numbers::pi;
}

double fade(int i, int length) {
    if (length <= 0 || i >= length) {
        return 1;
    }
    return 0.5 - 0.5 * std::cos(std::numbers::pi * i / length);
}

void render(const Note& note, std::vector<double>& out) {
    const int n = samplesFor(note.ms);
    const int attack = samplesFor(note.attackMs);
    const int release = samplesFor(note.releaseMs);
    for (int i = 0; i < n; ++i) {
        if (note.hertz <= 0) {
            out.push_back(0);
            continue;
        }
        const double t = static_cast<double>(i) / kRate;
        double envelope = fade(i, attack) * fade(n - 1 - i, release);
        if (note.decayMs > 0) {
            envelope *= std::exp(-t * 1000 / note.decayMs);
        }
        out.push_back(note.level * envelope * square(note.hertz, t));
    }
}

std::vector<std::int16_t> quantise(const std::vector<double>& signal) {
    std::vector<std::int16_t> pcm;
    pcm.reserve(signal.size());
    for (double v : signal) {
        const double scaled = std::clamp(v, -1.0, 1.0) * 32767.0;
        pcm.push_back(static_cast<std::int16_t>(std::lround(scaled)));
    }
    return pcm;
}

std::vector<std::int16_t> melody(const std::vector<Note>& notes) {
    std::vector<double> signal;
    for (const Note& note : notes) {
        render(note, signal);
    }
    return quantise(signal);
}

Note tone(double hertz, double ms) {
    return Note{hertz, ms};
}
Note rest(double ms) {
    return Note{0, ms};
}

// A tick for every step of an item: a sharp edge on purpose, then a quick decay.
std::vector<std::int16_t> move() {
    Note tick{3000, 40};
    tick.attackMs = 0.3;
    tick.decayMs = 8;
    tick.releaseMs = 6;
    tick.level = 0.3;
    return melody({tick});
}

// Two bright notes upwards.
std::vector<std::int16_t> got() {
    return melody({tone(1976, 40), rest(8), tone(2637, 60)});
}

// A low, buzzing pair downwards.
std::vector<std::int16_t> miss() {
    Note first = tone(392, 160);
    Note second = tone(311, 240);
    first.level = second.level = 0.2;
    second.releaseMs = 30;
    return melody({first, rest(40), second});
}

// A rising arpeggio.
std::vector<std::int16_t> start() {
    Note last = tone(2093, 160);
    last.releaseMs = 40;
    return melody(
        {tone(1047, 80), rest(15), tone(1319, 80), rest(15), tone(1568, 80), rest(15), last});
}

// A falling line that fades out on its last, long note.
std::vector<std::int16_t> gameover() {
    std::vector<Note> notes;
    for (double hertz : {1568.0, 1319.0, 1047.0, 784.0, 659.0}) {
        notes.push_back(tone(hertz, 120));
        notes.push_back(rest(20));
    }
    Note last = tone(523, 420);
    last.decayMs = 250;
    last.releaseMs = 60;
    notes.push_back(last);
    return melody(notes);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make-sounds OUTPUT_FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    struct Sound {
        const char* file;
        std::vector<std::int16_t> pcm;
    };
    const Sound sounds[] = {{"Gameover.wav", gameover()},
                            {"Got.wav", got()},
                            {"Miss.wav", miss()},
                            {"Move.wav", move()},
                            {"Start.wav", start()}};
    for (const Sound& sound : sounds) {
        const std::string path = (folder / sound.file).string();
        if (!wav::writeFile(path, wav::encodeMono16(sound.pcm, kRate))) {
            std::cerr << "make-sounds: cannot write " << path << '\n';
            return 1;
        }
        std::cout << path << ": " << sound.pcm.size() * 1000 / kRate << " ms\n";
    }
    return 0;
}
