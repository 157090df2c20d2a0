#pragma once

#include <functional>

#include <QObject>

class QKeyEvent;
class QWidget;

namespace dialogs {

// Hands every key that reaches a top-level widget's window to the widget's own handlers
// before any control of it sees the key, so the window's keys (Enter, Escape, the manual's
// arrows) work whichever control has the focus.
class KeyForwarder : public QObject {
public:
    struct Handlers {
        // True when the key was the window's own and goes no further.
        std::function<bool(const QKeyEvent&)> pressed;
        std::function<void(const QKeyEvent&)> released;
        // The window lost the keyboard: releases of keys held now will never arrive.
        std::function<void()> focusLost;
    };

    // Creates the widget's platform window, so its window flags must be final by now, and
    // watches it for as long as that window lives. Handlers left empty are not called.
    static void install(QWidget& window, Handlers handlers);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyForwarder(Handlers handlers, QObject* parent);

    Handlers handlers_;
};

} // namespace dialogs
