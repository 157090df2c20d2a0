#include "session/checked_output.h"

#include <cerrno>

namespace session {

bool CheckedOutput::passOn() {
    if (failure_) {
        return false;
    }
    const std::streamsize pending = pptr() - pbase();
    errno = 0;
    const bool sent = target_ != nullptr && target_->sputn(pbase(), pending) == pending &&
                      target_->pubsync() == 0;
    if (!sent) {
        failure_ = errno != 0 ? std::error_code(errno, std::generic_category())
                              : std::make_error_code(std::io_errc::stream);
        return false;
    }
    resetBuffer();
    return true;
}

CheckedOutput::int_type CheckedOutput::overflow(int_type c) {
    if (!passOn()) {
        return traits_type::eof();
    }
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        sputc(traits_type::to_char_type(c));
    }
    return traits_type::not_eof(c);
}

int CheckedOutput::sync() {
    return passOn() ? 0 : -1;
}

} // namespace session
