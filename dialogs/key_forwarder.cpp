#include "dialogs/key_forwarder.h"

#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

#include <utility>

namespace dialogs {

KeyForwarder::KeyForwarder(Handlers handlers, QObject* parent)
    : QObject(parent), handlers_(std::move(handlers)) {}

void KeyForwarder::install(QWidget& window, Handlers handlers) {
    window.winId();
    QWindow* handle = window.windowHandle();
    handle->installEventFilter(new KeyForwarder(std::move(handlers), handle));
}

bool KeyForwarder::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        return handlers_.pressed && handlers_.pressed(static_cast<const QKeyEvent&>(*event));
    case QEvent::KeyRelease:
        if (handlers_.released) {
            handlers_.released(static_cast<const QKeyEvent&>(*event));
        }
        return false;
    case QEvent::FocusOut:
        if (handlers_.focusLost) {
            handlers_.focusLost();
        }
        return false;
    default:
        return false;
    }
}

} // namespace dialogs
