#pragma once

#include <array>
#include <optional>
#include <streambuf>
#include <system_error>

namespace session {

// A buffer in front of another stream buffer that passes its bytes on only when it is full or
// flushed, and then flushes that one too. Every write to the other buffer happens here, so one
// that fails is seen at once, with its cause, and no stream tied to it can fail it unseen.
class CheckedOutput : public std::streambuf {
public:
    explicit CheckedOutput(std::streambuf* target) : target_(target) { resetBuffer(); }
    ~CheckedOutput() override { sync(); }

    CheckedOutput(const CheckedOutput&) = delete;
    CheckedOutput& operator=(const CheckedOutput&) = delete;

    // Why the first failed write failed; nothing is written after it.
    const std::optional<std::error_code>& failure() const { return failure_; }

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    void resetBuffer() { setp(buffer_.data(), buffer_.data() + buffer_.size()); }
    bool passOn();

    std::streambuf* target_;
    std::array<char, 8192> buffer_;
    std::optional<std::error_code> failure_;
};

} // namespace session
