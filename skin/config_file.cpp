#include "skin/config_file.h"

#include <fstream>
#include <iterator>

#include "skin/config_values.h"

namespace skin {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && isBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

std::string_view unquote(std::string_view s) {
    if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front()) {
        s.remove_prefix(1);
        s.remove_suffix(1);
    }
    return s;
}

} // namespace

ConfigFile ConfigFile::open(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return {};
    }
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return fromText(text);
}

ConfigFile ConfigFile::fromText(std::string_view text) {
    ConfigFile file;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
    }
    Section* current = nullptr;
    while (!text.empty()) {
        // A line ends at CR+LF, LF or a lone CR, as the Windows profile reader ends it; CR+LF
        // leaves an empty line between its two, which reads as nothing.
        const std::size_t end = text.find_first_of("\r\n");
        std::string_view line = trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            if (close == std::string_view::npos) {
                continue;
            }
            file.sections_.push_back(Section{std::string(trim(line.substr(1, close - 1))), {}});
            current = &file.sections_.back();
            continue;
        }
        const std::size_t equals = line.find('=');
        if (current == nullptr || equals == std::string_view::npos) {
            continue;
        }
        std::string_view value = unquote(trim(line.substr(equals + 1)));
        if (value.size() > kMaxValueLength) {
            value = value.substr(0, kMaxValueLength);
        }
        current->entries.push_back(
            Entry{std::string(trim(line.substr(0, equals))), std::string(value)});
    }
    return file;
}

std::optional<std::string_view> ConfigFile::find(std::string_view section,
                                                 std::string_view key) const {
    for (const Section& s : sections_) {
        if (!equalsIgnoringCase(s.name, section)) {
            continue;
        }
        for (const Entry& e : s.entries) {
            if (equalsIgnoringCase(e.key, key)) {
                return e.value;
            }
        }
        return std::nullopt;
    }
    return std::nullopt;
}

std::string ConfigFile::readText(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const {
    return std::string(find(section, key).value_or(defaultValue));
}

int ConfigFile::readInt(std::string_view section, std::string_view key, int defaultValue) const {
    const auto text = find(section, key);
    if (!text) {
        return defaultValue;
    }
    return parseSkinInt(*text).value_or(defaultValue);
}

} // namespace skin
