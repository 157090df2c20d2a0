#include "shell/ini_text_check.h"

#include <set>
#include <string>
#include <utility>

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

// Reads the text line by line, remembering which keys each section has given.
class RewriteCheck {
public:
    bool lineSurvives(std::string_view line) {
        line = trimmed(line);
        if (line.empty()) {
            return true;
        }
        if (line.front() == '[') {
            if (line.back() != ']') {
                return false;
            }
            section_ = trimmed(line.substr(1, line.size() - 2));
            return true;
        }
        if (line.front() == ';' || line.front() == '#') {
            return false;
        }
        const auto equals = line.find('=');
        if (equals == std::string_view::npos) {
            return false;
        }
        // Sections of one name merge into one, so a key met again anywhere in them is lost.
        return seen_.emplace(std::string(section_), std::string(trimmed(line.substr(0, equals))))
            .second;
    }

private:
    // Lines before the first header belong to the section QSettings calls General.
    std::string_view section_ = "General";
    std::set<std::pair<std::string, std::string>> seen_;
};

} // namespace

bool iniTextSurvivesRewrite(std::string_view text) {
    // A byte-order mark, as some editors write, carries nothing a person wrote.
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    RewriteCheck check;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        const std::string_view line = text.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (!check.lineSurvives(line)) {
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
