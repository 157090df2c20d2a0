#include "dialogs/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace dialogs {

void centreOnPrimaryScreen(QWidget& window, Anchor anchor) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    // Once the platform knows the window's frame, move() places the frame, not the client area.
    const QPoint clientOffset = window.geometry().topLeft() - window.pos();
    window.move(centredMoveTarget(screen->geometry(), window.size(), clientOffset, anchor));
}

void setTransientParent(QWidget& window, QWidget& owner) {
    window.winId();
    window.windowHandle()->setTransientParent(owner.windowHandle());
}

} // namespace dialogs
