#pragma once

#include <QObject>
#include <QTimer>

#include "session/core_timeline.h"

class QSocketNotifier;

namespace app {

using Nanos = session::Nanos;

// A single-shot wake-up of the GUI thread at a moment on the monotonic clock. On Linux it is
// a timerfd with nanosecond deadlines, so the device's ticks come within a fraction of a
// millisecond; elsewhere a precise Qt timer, which counts whole milliseconds.
class WakeTimer : public QObject {
    Q_OBJECT

public:
    // `kernelTimer` false: the Qt timer alone, as where there is no timerfd.
    explicit WakeTimer(QObject* parent = nullptr, bool kernelTimer = true);
    ~WakeTimer() override;

    // `now` is the present on the same clock as `at`.
    void wakeAt(Nanos at, Nanos now);
    void stop();
    bool isActive() const { return active_; }

signals:
    void woken();

private:
    void fire();

    int fd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    QTimer fallback_;
    bool active_ = false;
};

} // namespace app
