#pragma once

// The six calls of the FSOUND sound interface the program uses, with the same arguments and
// meanings, played through SDL2 and SDL2_mixer. One library per process, used from one thread.

struct FSOUND_SAMPLE;

// Output types. DirectSound is the platform's default output; WinMM is the Windows
// multimedia output on Windows and ALSA elsewhere. SDL_AUDIODRIVER, when set, overrides both.
constexpr int FSOUND_OUTPUT_WINMM = 1;
constexpr int FSOUND_OUTPUT_DSOUND = 2;

// Any free sample slot or channel.
constexpr int FSOUND_FREE = -1;

// Sample mode: a plain two-dimensional sample.
constexpr unsigned FSOUND_2D = 0x2000;
// FSOUND_Sample_Load: `name` points to the file's bytes in memory, `length` long.
constexpr unsigned FSOUND_LOADMEMORY = 0x8000;

// Chooses the output the next FSOUND_Init opens.
bool FSOUND_SetOutput(int outputType);

// Opens the output at `mixrate` Hz with `maxsoftwarechannels` voices and a buffer of at most
// 512 frames. When no output can be opened it says why in one line on standard error and
// returns false; samples still load and plays are silent.
bool FSOUND_Init(int mixrate, int maxsoftwarechannels, unsigned flags);

// Decodes a WAV file, or the `length` bytes at `offset` inside it (length 0: to the end).
// Returns nullptr for a missing, unreadable or invalid file, and for anything but a regular
// file (or a link to one) within sound::kMaxSoundFileBytes. Works with or without an open
// output. Every sample gets its own slot, whatever `index`; of `mode` only FSOUND_LOADMEMORY
// changes anything.
FSOUND_SAMPLE* FSOUND_Sample_Load(int index, const char* name, unsigned mode, int offset,
                                  int length);

// Starts the sample on a free voice (FSOUND_FREE) or on the given one; the sounds already
// playing go on. Returns the voice, or -1 when nothing plays.
int FSOUND_PlaySound(int channel, FSOUND_SAMPLE* sample);

// Stops and frees a sample. nullptr, or a handle already freed, does nothing.
void FSOUND_Sample_Free(FSOUND_SAMPLE* sample);

// Frees every sample still loaded and closes the output. Does nothing when not started.
void FSOUND_Close();
