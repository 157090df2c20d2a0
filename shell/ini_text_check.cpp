#include "ini_text_check.h"

namespace shell {
namespace {

std::string_view trimmed(std::string_view line) {
    const auto first = line.find_first_not_of(" \t\f\v");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = line.find_last_not_of(" \t\f\v");
    return line.substr(first, last - first + 1);
}

bool lineSurvives(std::string_view line) {
    line = trimmed(line);
    if (line.empty()) {
        return true;
    }
    if (line.front() == '[') {
        return line.back() == ']';
    }
    if (line.front() == ';' || line.front() == '#') {
        return false;
    }
    const auto equals = line.find('=');
    return equals != std::string_view::npos && equals > 0;
}

} // namespace

bool iniTextSurvivesRewrite(std::string_view text) {
    // A byte-order mark, as some editors write, carries nothing a person wrote.
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        const std::string_view line = text.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (!lineSurvives(line)) {
            return false;
        }
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    return true;
}

} // namespace shell
