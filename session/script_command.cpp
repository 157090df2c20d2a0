#include "session/script_command.h"

#include <array>
#include <charconv>
#include <utility>

#include "device/setting_entries.h"

namespace session {
namespace {

constexpr std::array<std::pair<std::string_view, device::Button>, 5> kButtonNames = {{
    {"GAMEA", device::Button::GameA},
    {"GAMEB", device::Button::GameB},
    {"TIME", device::Button::Time},
    {"LEFT", device::Button::Left},
    {"RIGHT", device::Button::Right},
}};

std::vector<std::string_view> splitWords(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\r')) {
            ++i;
        }
        std::size_t start = i;
        while (i < text.size() && text[i] != ' ' && text[i] != '\t' && text[i] != '\r') {
            ++i;
        }
        if (i > start) {
            words.push_back(text.substr(start, i - start));
        }
    }
    return words;
}

std::string quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

// A decimal integer within lo..hi; `what` names it in the error.
std::int64_t parseNumber(std::string_view word, std::string_view what, std::int64_t lo,
                         std::int64_t hi) {
    std::int64_t value = 0;
    const char* end = word.data() + word.size();
    auto [ptr, ec] = std::from_chars(word.data(), end, value, 10);
    if (ptr != end || (ec != std::errc{} && ec != std::errc::result_out_of_range)) {
        throw ScriptError(std::string(what) + " " + quoted(word) + " is not a number");
    }
    if (ec == std::errc::result_out_of_range || value < lo || value > hi) {
        throw ScriptError(std::string(what) + " " + std::string(word) + " out of range " +
                          std::to_string(lo) + ".." + std::to_string(hi));
    }
    return value;
}

void expectWords(const std::vector<std::string_view>& words, std::size_t count,
                 std::string_view usage) {
    if (words.size() != count) {
        throw ScriptError("expected '" + std::string(usage) + "'");
    }
}

device::Button parseButton(std::string_view word) {
    auto button = buttonFromName(word);
    if (!button) {
        throw ScriptError("unknown button " + quoted(word) +
                          " (expected GAMEA, GAMEB, TIME, LEFT or RIGHT)");
    }
    return *button;
}

} // namespace

std::optional<device::Button> buttonFromName(std::string_view name) {
    for (const auto& [text, button] : kButtonNames) {
        if (text == name) {
            return button;
        }
    }
    return std::nullopt;
}

std::string_view buttonName(device::Button button) {
    for (const auto& [name, b] : kButtonNames) {
        if (b == button) {
            return name;
        }
    }
    return {};
}

std::optional<Command> parseCommand(std::string_view line) {
    if (auto hash = line.find('#'); hash != std::string_view::npos) {
        line = line.substr(0, hash);
    }
    const auto words = splitWords(line);
    if (words.empty()) {
        return std::nullopt;
    }
    const std::string_view name = words[0];
    Command command;
    if (name == "store") {
        expectWords(words, 3, "store NAME VALUE");
        command.kind = CommandKind::Store;
        command.storeName = words[1];
        command.storeValue = words[2];
    } else if (name == "power" || name == "show" || name == "hints" || name == "resethiscores") {
        expectWords(words, 1, name);
        command.kind = name == "power"           ? CommandKind::Power
                       : name == "show"          ? CommandKind::Show
                       : name == "resethiscores" ? CommandKind::ResetHiScores
                                                 : CommandKind::Hints;
    } else if (name == "press" || name == "release" || name == "tap") {
        expectWords(words, 2, std::string(name) + " BUTTON");
        command.kind = name == "press"     ? CommandKind::Press
                       : name == "release" ? CommandKind::Release
                                           : CommandKind::Tap;
        command.button = parseButton(words[1]);
    } else if (name == "keydown" || name == "keyup") {
        expectWords(words, 2, std::string(name) + " CODE");
        command.kind = name == "keydown" ? CommandKind::KeyDown : CommandKind::KeyUp;
        command.keyCode = static_cast<std::uint16_t>(parseNumber(words[1], "key code", 0, 65535));
    } else if (name == "wait") {
        expectWords(words, 2, "wait MS");
        command.kind = CommandKind::Wait;
        command.waitMs = parseNumber(words[1], "wait", 0, kMaxWaitMs);
    } else if (name == "clock") {
        expectWords(words, 3, "clock YYYY-MM-DD HH:MM");
        auto at = parseDateTime(words[1], words[2]);
        if (!at) {
            throw ScriptError("malformed date-time '" + std::string(words[1]) + " " +
                              std::string(words[2]) + "' (expected YYYY-MM-DD HH:MM)");
        }
        command.kind = CommandKind::Clock;
        command.clock = *at;
    } else if (name == "draw") {
        if (words.size() < 2) {
            throw ScriptError("expected 'draw N [N ...]'");
        }
        command.kind = CommandKind::Draw;
        for (std::size_t i = 1; i < words.size(); ++i) {
            command.draws.push_back(static_cast<int>(parseNumber(words[i], "draw", 0, 3)));
        }
    } else if (name == "bind") {
        expectWords(words, 3, "bind SLOT INDEX");
        command.kind = CommandKind::Bind;
        command.slot = static_cast<int>(parseNumber(words[1], "slot", 1, device::kBindingCount));
        const device::setting::Range indexes =
            device::setting::Keys[static_cast<std::size_t>(command.slot - 1)].range;
        command.keyIndex =
            static_cast<int>(parseNumber(words[2], "key index", indexes.min, indexes.max));
    } else {
        throw ScriptError("unknown command " + quoted(name));
    }
    return command;
}

} // namespace session
