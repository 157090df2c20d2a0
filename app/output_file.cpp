#include "output_file.h"

#include <stdexcept>

namespace app {

OutputFile::OutputFile(const std::string& path, std::string what)
    : path_(path), what_(std::move(what)), out_(path, std::ios::trunc) {
    if (!out_) {
        throw std::runtime_error("cannot write '" + path + "'");
    }
    out_.setf(std::ios::unitbuf);
}

std::optional<std::string> OutputFile::takeFailure() {
    if (failed_ || out_.good()) {
        return std::nullopt;
    }
    failed_ = true;
    // A failed stream writes nothing more; closing it also gives up the file.
    out_.close();
    out_.setstate(std::ios::badbit);
    return "The " + what_ + " could not be written to " + path_ +
           " (is the disk full?). Nothing more is written to it; the program goes on.";
}

} // namespace app
