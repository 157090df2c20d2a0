#include "session/script_lines.h"

namespace session {

ScriptLines::Next ScriptLines::next() {
    // One byte more than the longest line, for the terminating zero getline stores.
    constexpr std::size_t kBufferBytes = kMaxScriptLineBytes + 1;
    if (!buffer_) {
        // Left uninitialised: getline fills what it reads. (Not make_unique_for_overwrite,
        // which the WebAssembly build's library lacks.)
        buffer_.reset(new char[kBufferBytes]);
    }
    length_ = 0;
    in_.getline(buffer_.get(), static_cast<std::streamsize>(kBufferBytes));
    const auto got = static_cast<std::size_t>(in_.gcount());
    if (in_.fail()) {
        // A full buffer without a line end is a line too long; anything else is the end.
        return !in_.bad() && !in_.eof() && got == kMaxScriptLineBytes ? Next::TooLong : Next::End;
    }
    // getline counts the '\n' it took but does not store; a last line without one ends at eof.
    length_ = in_.eof() ? got : got - 1;
    return Next::Line;
}

} // namespace session
