#pragma once

#include <functional>

#include <QObject>

class QSocketNotifier;

namespace app {

// SIGINT (Ctrl+C in a terminal), SIGTERM (logout, kill) and SIGHUP (the terminal closed)
// become a call on the GUI thread, so they end the program through the same close request as
// the window's close button.
class TerminationSignals : public QObject {
public:
    explicit TerminationSignals(std::function<void()> onSignal, QObject* parent = nullptr);
    ~TerminationSignals() override;

private:
    std::function<void()> onSignal_;
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace app
