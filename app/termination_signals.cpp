#include "app/termination_signals.h"

#include <csignal>
#include <iterator>

#include <QSocketNotifier>

#ifndef _WIN32
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace app {

#ifdef _WIN32
// A Windows program is asked to close through its windows; no signal needs turning into one.
TerminationSignals::TerminationSignals(std::function<void()> onSignal, QObject* parent)
    : QObject(parent), onSignal_(std::move(onSignal)) {}
TerminationSignals::~TerminationSignals() = default;
#else
namespace {

constexpr int kCloseSignals[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction previous[std::size(kCloseSignals)];
int signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}

} // namespace

TerminationSignals::TerminationSignals(std::function<void()> callback, QObject* parent)
    : QObject(parent), onSignal_(std::move(callback)) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) {
        return;
    }
    notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        [[maybe_unused]] const auto got = ::read(signalPipe[0], &byte, 1);
        onSignal_();
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(kCloseSignals); ++i) {
        sigaction(kCloseSignals[i], nullptr, &previous[i]);
        // One ignored from the start (nohup, a background job) stays ignored.
        if (previous[i].sa_handler != SIG_IGN) {
            sigaction(kCloseSignals[i], &action, nullptr);
        }
    }
}

TerminationSignals::~TerminationSignals() {
    for (std::size_t i = 0; i < std::size(kCloseSignals); ++i) {
        sigaction(kCloseSignals[i], &previous[i], nullptr);
    }
    delete notifier_;
    notifier_ = nullptr;
    for (int& fd : signalPipe) {
        if (fd >= 0) {
            ::close(fd);
            fd = -1;
        }
    }
}

#endif

} // namespace app
