#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>

namespace app {

// A file the program writes lines to as the session goes (the trace, the record). Each line
// is on disk (or in the pipe) when written. When a write fails (a full disk, a file system
// gone, a pipe's reader gone) the failure is told once and nothing more is written to it.
class OutputFile {
public:
    // Throws std::runtime_error when the file cannot be created, or when it is a pipe that no
    // program reads: opening never waits for a reader.
    OutputFile(const std::string& path, std::string what);
    ~OutputFile();

    std::ostream& stream() { return out_; }
    // The message to tell the user, the first time after a write failed; nothing otherwise.
    std::optional<std::string> takeFailure();

private:
    class DescriptorBuffer;

    std::string path_;
    std::string what_;
    std::unique_ptr<DescriptorBuffer> buffer_;
    std::ostream out_;
    bool failed_ = false;
};

} // namespace app
