#include "skin/path_case.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "skin/config_values.h"

namespace skin {
namespace fs = std::filesystem;

std::optional<std::string> findFileIgnoringCase(const std::string& path) {
    std::error_code ec;
    if (path.empty()) {
        return std::nullopt;
    }
    if (fs::is_regular_file(path, ec)) {
        return path;
    }
    const fs::path wanted(path);
    fs::path found = wanted.has_root_path() ? wanted.root_path() : fs::path(".");
    for (const fs::path& part : wanted.relative_path()) {
        const std::string name = part.string();
        if (name.empty() || name == ".") {
            continue;
        }
        if (name == ".." || fs::exists(found / part, ec)) {
            found /= part;
            continue;
        }
        std::vector<std::string> matches;
        for (const auto& entry : fs::directory_iterator(found, ec)) {
            const std::string candidate = entry.path().filename().string();
            if (equalsIgnoringCase(candidate, name)) {
                matches.push_back(candidate);
            }
        }
        if (matches.empty()) {
            return std::nullopt;
        }
        // Several spellings of one name: take a fixed one, whatever order the folder lists.
        found /= *std::min_element(matches.begin(), matches.end());
    }
    if (!fs::is_regular_file(found, ec)) {
        return std::nullopt;
    }
    std::string result = found.string();
    if (!wanted.has_root_path() && result.rfind("./", 0) == 0) {
        result.erase(0, 2);
    }
    return result;
}

} // namespace skin
