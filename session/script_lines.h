#pragma once

#include <cstddef>
#include <istream>
#include <memory>
#include <string_view>

namespace session {

// The longest script line, line end not counted. A longer line is a bad line, found without
// holding more of it than this.
inline constexpr std::size_t kMaxScriptLineBytes = std::size_t{1} << 20;

// Splits a script into lines ended by '\n' (or the end of the input).
class ScriptLines {
public:
    enum class Next { Line, TooLong, End };

    explicit ScriptLines(std::istream& in) : in_(in) {}

    // End at the end of the input and after a read error (the stream's bad() tells which).
    Next next();
    // The line `next` found, valid until its next call.
    std::string_view line() const { return {buffer_.get(), length_}; }

private:
    std::istream& in_;
    std::unique_ptr<char[]> buffer_;
    std::size_t length_ = 0;
};

} // namespace session
