#include "dialogs/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "dialogs/splash_logic.h"

namespace dialogs {

void centreOnPrimaryScreen(QWidget& dialog) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    const QRect area = screen->geometry();
    const QPoint client(area.left() + centredStart(area.width(), dialog.width()),
                        area.top() + centredStart(area.height(), dialog.height()));
    // Once a window has been shown, move() places its frame, not its client area.
    dialog.move(client + (dialog.pos() - dialog.geometry().topLeft()));
}

} // namespace dialogs
