#include "app/output_file.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <stdexcept>
#include <streambuf>

#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

namespace app {
namespace {

int openWithoutWaiting(const std::string& path, const std::string& what) {
    // Without O_NONBLOCK, opening a pipe that nobody reads waits for a reader, for ever.
    const int fd = ::open(path.c_str(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) {
        const std::string reason =
            errno == ENXIO ? "it is a pipe that no program reads from" : std::strerror(errno);
        throw std::runtime_error("cannot write the " + what + " to " + path + ": " + reason);
    }
    // A reader is there: from now on a write waits for room, as with any pipe.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) {
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    }
    return fd;
}

// A pipe whose reader went away fails the write (EPIPE) instead of ending the program.
ssize_t writeWithoutSigpipe(int fd, const char* bytes, std::size_t size) {
    sigset_t pipeSignal;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    sigset_t before;
    pthread_sigmask(SIG_BLOCK, &pipeSignal, &before);
    sigset_t pending;
    sigpending(&pending);
    const bool pendingBefore = sigismember(&pending, SIGPIPE) == 1;
    const ssize_t count = ::write(fd, bytes, size);
    const int error = errno;
    if (count < 0 && error == EPIPE && !pendingBefore) {
        const timespec noWait{};
        sigtimedwait(&pipeSignal, nullptr, &noWait);
    }
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    errno = error;
    return count;
}

} // namespace

// Writes straight to the file descriptor, each flush in full; a failed write fails the
// stream and keeps its cause.
class OutputFile::DescriptorBuffer : public std::streambuf {
public:
    explicit DescriptorBuffer(int fd) : fd_(fd) { resetBuffer(); }
    ~DescriptorBuffer() override {
        sync();
        ::close(fd_);
    }
    DescriptorBuffer(const DescriptorBuffer&) = delete;
    DescriptorBuffer& operator=(const DescriptorBuffer&) = delete;

    int failure() const { return failure_; }

protected:
    int_type overflow(int_type c) override {
        if (!writeOut()) {
            return traits_type::eof();
        }
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override { return writeOut() ? 0 : -1; }

private:
    void resetBuffer() { setp(buffer_.data(), buffer_.data() + buffer_.size()); }
    bool writeOut() {
        const char* next = pbase();
        while (failure_ == 0 && next < pptr()) {
            const ssize_t count =
                writeWithoutSigpipe(fd_, next, static_cast<std::size_t>(pptr() - next));
            if (count > 0) {
                next += count;
            } else if (count == 0 || errno != EINTR) {
                failure_ = count == 0 ? EIO : errno;
            }
        }
        resetBuffer();
        return failure_ == 0;
    }

    int fd_;
    int failure_ = 0;
    std::array<char, 4096> buffer_;
};

OutputFile::OutputFile(const std::string& path, std::string what)
    : path_(path), what_(std::move(what)),
      buffer_(std::make_unique<DescriptorBuffer>(openWithoutWaiting(path_, what_))),
      out_(buffer_.get()) {
    out_.setf(std::ios::unitbuf);
}

OutputFile::~OutputFile() = default;

std::optional<std::string> OutputFile::takeFailure() {
    if (failed_ || out_.good()) {
        return std::nullopt;
    }
    failed_ = true;
    const int cause = buffer_->failure();
    // A failed stream writes nothing more; the file is given up at once.
    out_.rdbuf(nullptr);
    buffer_.reset();
    const std::string why = cause == ENOSPC  ? " (is the disk full?)"
                            : cause == EPIPE ? " (the program reading it has ended)"
                            : cause != 0     ? " (" + std::string(std::strerror(cause)) + ")"
                                             : "";
    return "The " + what_ + " could not be written to " + path_ + why +
           ". Nothing more is written to it; the program goes on.";
}

} // namespace app
