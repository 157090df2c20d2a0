#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "device/ports.h"

namespace device {

// The stored form of settings: every value is text, integers in decimal, booleans "0"/"1".
// Only plain decimal text with an optional minus sign, within 32 bits, reads as a number.
std::optional<int> parseStoredInt(std::string_view text);
std::string formatStoredInt(int value);

// A settings store that keeps text by name; integer and bool access follow the stored form.
class TextSettings : public Settings {
public:
    int readInt(std::string_view name, int defaultValue) override;
    bool readBool(std::string_view name, bool defaultValue) override;
    void writeInt(std::string_view name, int value) override;
    void writeBool(std::string_view name, bool value) override;
    // Puts text in place as it stands, well-formed or not (as an earlier run or a user
    // editing the store might have left it).
    void putText(std::string_view name, const std::string& text) { writeText(name, text); }

protected:
    virtual std::optional<std::string> readText(std::string_view name) = 0;
    virtual void writeText(std::string_view name, const std::string& text) = 0;
};

} // namespace device
