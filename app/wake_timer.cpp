#include "app/wake_timer.h"

#include <algorithm>

#include <QSocketNotifier>

#ifdef __linux__
#include <sys/timerfd.h>
#include <unistd.h>
#endif

namespace app {

WakeTimer::WakeTimer(QObject* parent, [[maybe_unused]] bool kernelTimer) : QObject(parent) {
    fallback_.setSingleShot(true);
    fallback_.setTimerType(Qt::PreciseTimer);
    connect(&fallback_, &QTimer::timeout, this, &WakeTimer::fire);
#ifdef __linux__
    // std::chrono::steady_clock reads CLOCK_MONOTONIC, the clock the deadlines come on.
    fd_ = kernelTimer ? ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC) : -1;
    if (fd_ >= 0) {
        notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, [this] {
            std::uint64_t expirations = 0;
            [[maybe_unused]] const auto got = ::read(fd_, &expirations, sizeof expirations);
            fire();
        });
    }
#endif
}

WakeTimer::~WakeTimer() {
#ifdef __linux__
    if (fd_ >= 0) {
        delete notifier_;
        ::close(fd_);
    }
#endif
}

void WakeTimer::wakeAt(Nanos at, Nanos now) {
    active_ = true;
#ifdef __linux__
    if (fd_ >= 0) {
        // An absolute deadline of zero would disarm the timer instead of firing it.
        const auto ns = std::max<long long>(at.count(), 1);
        itimerspec spec{};
        spec.it_value.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
        spec.it_value.tv_nsec = static_cast<long>(ns % 1'000'000'000);
        ::timerfd_settime(fd_, TFD_TIMER_ABSTIME, &spec, nullptr);
        return;
    }
#endif
    // Rounded up: waking a little early would only mean waking again.
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(at - now).count();
    fallback_.start(static_cast<int>(std::clamp<long long>(ms, 0, 24 * 3600 * 1000)));
}

void WakeTimer::stop() {
    active_ = false;
    fallback_.stop();
#ifdef __linux__
    if (fd_ >= 0) {
        const itimerspec disarm{};
        ::timerfd_settime(fd_, 0, &disarm, nullptr);
    }
#endif
}

void WakeTimer::fire() {
    if (!active_) {
        return;
    }
    active_ = false;
    emit woken();
}

} // namespace app
