#pragma once

#include <string>

namespace sound {

// What sound start-up needs from the program around it when the sound files are broken.
class SoundHost {
public:
    virtual ~SoundHost() = default;
    // An error message box with a single OK button.
    virtual void showError(const std::string& message) = 0;
    // Ends the program once the current event is handled.
    virtual void requestTerminate() = 0;
};

} // namespace sound
