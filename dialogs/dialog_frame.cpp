#include "dialogs/dialog_frame.h"

#include <QCloseEvent>
#include <QFont>
#include <QKeyEvent>
#include <QPalette>

#include <utility>

#include "dialogs/key_forwarder.h"
#include "dialogs/window_placement.h"
#include "shell/key_translation.h"

namespace dialogs {

DialogFrame::DialogFrame(const DialogLook& look, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | look.extraFlags),
      keys_(look.keys) {
    setObjectName(look.objectName);
    setWindowTitle(look.caption);
    setFixedSize(look.clientSize);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, look.background);
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    setAutoFillBackground(true);
    // The dialogs' own small type, so every text fits the box it was laid out in.
    QFont small(QStringLiteral("Arial"));
    small.setPixelSize(11);
    setFont(small);
    // The flags are final here, so the window can exist now and take every key first.
    KeyForwarder::Handlers handlers;
    handlers.pressed = [this](const QKeyEvent& key) { return keyPressed(key); };
    KeyForwarder::install(*this, std::move(handlers));
}

void DialogFrame::centre(Anchor anchor) {
    centreOnPrimaryScreen(*this, anchor);
}

void DialogFrame::bringForward() {
    show();
    raise(); // above the main window even where no window manager keeps it on top
    activateWindow();
}

bool DialogFrame::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show) {
        if (QWidget* focus = firstFocus()) {
            focus->setFocus(Qt::ActiveWindowFocusReason);
        }
    }
    return QWidget::event(event);
}

void DialogFrame::closeEvent(QCloseEvent* event) {
    // A window manager may offer a close box all the same: it is a way out like Escape.
    event->ignore();
    leave();
}

bool DialogFrame::keyPressed(const QKeyEvent& key) {
    switch (dialogKeyAction(keys_, shell::virtualKeyCode(key), confirmAvailable())) {
    case DialogKeyAction::Confirm:
        confirm();
        return true;
    case DialogKeyAction::Swallow:
        return true;
    case DialogKeyAction::Leave:
        leave();
        return true;
    case DialogKeyAction::PassOn:
        break;
    }
    return false;
}

} // namespace dialogs
