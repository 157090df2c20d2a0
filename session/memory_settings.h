#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "device/stored_text.h"

namespace session {

// Settings kept in memory as text by name, for runs without a settings file.
class MemorySettings : public device::TextSettings {
public:
    std::optional<std::string> text(std::string_view name) const;

protected:
    std::optional<std::string> readText(std::string_view name) override;
    void writeText(std::string_view name, const std::string& text) override;

private:
    std::map<std::string, std::string, std::less<>> values_;
};

} // namespace session
