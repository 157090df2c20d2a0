#pragma once

#include <optional>
#include <string>
#include <vector>

// Which paths the trace and the record may be written to: never over a file the program
// reads, nor both into one file.
namespace app {

// A file the program reads that an output, truncated on opening, would destroy.
struct GuardedFile {
    std::string path;
    std::string name; // as the user knows it: "the settings file"
};

// Whether two paths name one file: the same device and inode when both exist, whatever
// links lead there; otherwise the same folder and name once links are followed, so two
// spellings of a file not yet created are one file too.
bool sameFile(const std::string& a, const std::string& b);

// Why the trace and record paths (those given) must not be opened, as one line; nothing
// when they may.
std::optional<std::string> outputPathsRefusal(const std::optional<std::string>& trace,
                                              const std::optional<std::string>& record,
                                              const std::vector<GuardedFile>& guarded);

} // namespace app
