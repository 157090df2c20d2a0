#include "window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "splash_logic.h"

namespace dialogs {

void centreOnPrimaryScreen(QWidget& dialog) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    const QRect area = screen->geometry();
    dialog.move(area.left() + centredStart(area.width(), dialog.width()),
                area.top() + centredStart(area.height(), dialog.height()));
}

} // namespace dialogs
