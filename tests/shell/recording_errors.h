#pragma once

#include <string>
#include <vector>

#include "shell/settings_store.h"

// Keeps what the store tells the user.
class RecordingErrors : public shell::SettingsErrorSink {
public:
    void settingsError(const std::string& message) override { messages.push_back(message); }
    std::vector<std::string> messages;
};
