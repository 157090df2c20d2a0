#pragma once

#include <string>
#include <string_view>

namespace session {

// Appends `text` as a JSON string literal, quotes included.
void appendJsonString(std::string& out, std::string_view text);

} // namespace session
