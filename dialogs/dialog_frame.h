#pragma once

#include <QColor>
#include <QSize>
#include <QString>
#include <QWidget>

#include "dialogs/centring.h"
#include "dialogs/dialog_keys.h"

class QKeyEvent;

namespace dialogs {

// The dialogs' common ground: the deep blue of the key settings and about boxes.
inline const QColor kDialogBlue(0x08, 0x29, 0x52);

// How a dialog looks and which keys confirm it.
struct DialogLook {
    QString objectName;
    QString caption;
    QSize clientSize;
    QColor background;
    DialogKeyRules keys;
    Qt::WindowFlags extraFlags = {}; // beside a captioned dialog's own
};

// What the splash, key settings and about dialogs share: a captioned dialog window of a fixed
// client size in its own colours and small type, whatever the desktop's theme (the pictures
// are drawn for these colours); every key seen before the focused control, Escape and the
// window manager's close request leaving, Enter confirming; centred on the primary screen.
class DialogFrame : public QWidget {
    Q_OBJECT

protected:
    DialogFrame(const DialogLook& look, QWidget* parent);

    // Escape, or a close request from the window manager.
    virtual void leave() = 0;
    // A confirm key while confirmAvailable().
    virtual void confirm() {}
    virtual bool confirmAvailable() const { return false; }
    // The control that takes the focus whenever the dialog is shown or activated.
    virtual QWidget* firstFocus() const { return nullptr; }

    // Centred on the primary screen, `anchor` (the client area's corner or the frame's) at the
    // point that centres the client area.
    void centre(Anchor anchor);
    // Shown, in front and active.
    void bringForward();

    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // True when the key was the dialog's own and goes no further.
    bool keyPressed(const QKeyEvent& key);

    DialogKeyRules keys_;
};

} // namespace dialogs
