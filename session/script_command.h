#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "device/device.h"
#include "session/date_time.h"

namespace session {

enum class CommandKind {
    Store,
    Power,
    Press,
    Release,
    Tap,
    KeyDown,
    KeyUp,
    Wait,
    Clock,
    Draw,
    Bind,
    ResetHiScores,
    Show,
    Hints,
};

// One parsed script line. Only the fields of its kind are meaningful.
struct Command {
    CommandKind kind = CommandKind::Show;
    std::string storeName;
    std::string storeValue;
    device::Button button = device::Button::GameA;
    std::uint16_t keyCode = 0;
    device::Millis waitMs = 0;
    DateTime clock;
    std::vector<int> draws;
    int slot = 0;
    int keyIndex = 0;
};

// What is wrong with a script line, without its line number.
class ScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr device::Millis kMaxWaitMs = 2147483647;

// Parses one line; nothing for a blank or comment-only line ('#' starts a comment).
// Throws ScriptError for a line it cannot read.
std::optional<Command> parseCommand(std::string_view line);

// The script's button name, as in "press GAMEA".
std::optional<device::Button> buttonFromName(std::string_view name);
std::string_view buttonName(device::Button button);

} // namespace session
