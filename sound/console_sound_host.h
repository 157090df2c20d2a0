#pragma once

#include <iostream>
#include <string>

#include "sound/sound_host.h"

namespace sound {

// For programs without windows: the message goes to standard error and the caller checks
// `terminateRequested` (or the failed start) to end with an error status.
class ConsoleSoundHost : public SoundHost {
public:
    void showError(const std::string& message) override { std::cerr << message << '\n'; }
    void requestTerminate() override { terminateRequested = true; }

    bool terminateRequested = false;
};

} // namespace sound
