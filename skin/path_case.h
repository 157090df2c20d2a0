#pragma once

#include <optional>
#include <string>

namespace skin {

// Finds a file named by a skin written for a file system that ignores letter case: the
// path as it stands when it exists, otherwise the first entry of each folder whose name
// matches the path's component without regard to case. Nothing when no such file exists.
std::optional<std::string> findFileIgnoringCase(const std::string& path);

} // namespace skin
