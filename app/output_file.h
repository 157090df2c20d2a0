#pragma once

#include <fstream>
#include <optional>
#include <string>

namespace app {

// A file the program writes lines to as the session goes (the trace, the record). Each line
// is on disk when written. When a write fails (a full disk, a file system gone) the failure
// is told once and nothing more is written to the file.
class OutputFile {
public:
    // Throws std::runtime_error when the file cannot be created.
    OutputFile(const std::string& path, std::string what);

    std::ostream& stream() { return out_; }
    // The message to tell the user, the first time after a write failed; nothing otherwise.
    std::optional<std::string> takeFailure();

private:
    std::string path_;
    std::string what_;
    std::ofstream out_;
    bool failed_ = false;
};

} // namespace app
