#pragma once

namespace dialogs {

// What the splash dialog's Play and Escape need from the rest of the program.
class SplashHost {
public:
    virtual ~SplashHost() = default;
    // Starts the sound output for the chosen driver list entry (0..2). False when the sound
    // files are broken: the message has been shown and the program is ending.
    virtual bool startSound(int soundMode) = 0;
    // The rest of Play once sound runs and the splash choice is stored: the context menu's
    // splash tick follows `splashAtStartup`, the main window is centred and shown, the device
    // powers on.
    virtual void splashPlayed(bool splashAtStartup) = 0;
    // Escape: the program ends at once, writing nothing.
    virtual void quitAtOnce() = 0;
};

} // namespace dialogs
