#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skin {

// The skin's configuration file, read the way the Windows private-profile functions read
// INI files: section and key names match without regard to case, the first matching
// section and the first matching key in it win, blanks around names and values are
// trimmed, a value in matching quotes loses them, and at most 2047 characters of a value
// count. Opening never fails: a missing or unreadable file reads as empty.
class ConfigFile {
public:
    static constexpr std::size_t kMaxValueLength = 2047;

    static ConfigFile open(const std::string& path);
    static ConfigFile fromText(std::string_view text);

    // The value as text, or the default when the section or key is absent.
    std::string readText(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
    // The value as an integer in the skin's notation, or the default.
    int readInt(std::string_view section, std::string_view key, int defaultValue) const;

private:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };
    std::optional<std::string_view> find(std::string_view section, std::string_view key) const;

    std::vector<Section> sections_;
};

} // namespace skin
