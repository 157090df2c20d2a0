#include "manual/manual_form.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include <iostream>

#include "dialogs/key_forwarder.h"
#include "dialogs/window_placement.h"
#include "shell/key_translation.h"

namespace manual {
namespace {

constexpr std::array kButtons{ManualButton::Close, ManualButton::Left, ManualButton::Right};

bool onWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace

TManualForm::TManualForm(const std::string& configPath, QWidget* parent)
    // A dialog, so the platform links it to the window it is transient for: a window manager
    // then keeps it above that window even when a click raises a full-screen device.
    : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      configPath_(configPath) {
    setWindowTitle(QStringLiteral("Manual"));
    // Closing the manual hides it; it never ends the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(415, 270);
    FormCreate();
    dialogs::KeyForwarder::install(
        *this, {.pressed = [this](const QKeyEvent& key) { return keyPressed(key); },
                .released = [this](const QKeyEvent& key) { keyReleased(key); },
                .focusLost = [this] { keyboardLost(); }});
}

void TManualForm::FormCreate() {
    manual_ = LoadManual(configPath_);
    for (const std::string& error : manual_.pictureErrors) {
        std::cerr << "zemblor: " << error << '\n';
    }
    setFixedSize(manual_.clientSize);
    for (ManualButton b : kButtons) {
        auto& pictures = buttonPictures_[static_cast<std::size_t>(b)];
        pictures[0] = manualButtonPicture(b, false);
        pictures[1] = manualButtonPicture(b, true);
    }
    centreAtFirstShow_ = true;
}

void TManualForm::open() {
    if (!isVisible()) {
        if (centreAtFirstShow_) {
            centreAtFirstShow_ = false;
            // Borderless: its frame is its client area.
            dialogs::centreOnPrimaryScreen(*this, dialogs::Anchor::Frame);
        }
        show();
    }
    raise();
    activateWindow();
}

void TManualForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Restoring a minimised window is no new opening.
    if (!event->spontaneous()) {
        FormShow();
    }
}

void TManualForm::FormShow() {
    pager_.Vid_Show_Page();
    update();
}

const QImage& TManualForm::buttonPicture(ManualButton b, bool pressed) const {
    return buttonPictures_[static_cast<std::size_t>(b)][pressed ? 1 : 0];
}

void TManualForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    // Pages of another size are drawn from the top-left corner and clipped; the first page
    // stays shown beneath the current one and shows where a smaller page leaves space.
    painter.drawImage(QPoint(0, 0), manual_.pages.front());
    painter.drawImage(
        QPoint(0, 0),
        manual_.pages[static_cast<std::size_t>(pager_.page() - ManualPager::kFirstPage)]);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    for (ManualButton b : kButtons) {
        const QPoint at = manualButtonBox(b, size()).topLeft();
        if (pager_.downShown(b)) {
            painter.drawImage(at, buttonPicture(b, true));
        }
        if (pager_.upShown(b)) {
            painter.drawImage(at, buttonPicture(b, false));
        }
    }
}

// Every key of the window comes here first, and goes on to the window all the same.
bool TManualForm::keyPressed(const QKeyEvent& key) {
    if (auto code = keys_.press(shell::physicalKey(key), shell::virtualKeyCode(key))) {
        FormKeyDown(*code);
    }
    return false;
}

void TManualForm::keyReleased(const QKeyEvent& key) {
    if (auto code = keys_.release(shell::physicalKey(key), key.isAutoRepeat())) {
        FormKeyUp(*code);
    }
}

// Releases of keys held while the focus leaves never arrive here; without them a button
// would go on looking pressed.
void TManualForm::keyboardLost() {
    for (std::uint16_t code : keys_.releaseAll()) {
        FormKeyUp(code);
    }
}

void TManualForm::FormKeyDown(std::uint16_t virtualKey) {
    apply(pager_.keyDown(virtualKey));
}

void TManualForm::FormKeyUp(std::uint16_t virtualKey) {
    apply(pager_.keyUp(virtualKey));
}

void TManualForm::apply(ManualOutcome outcome) {
    switch (outcome) {
    case ManualOutcome::None:
        break;
    case ManualOutcome::Redraw:
        update();
        break;
    case ManualOutcome::Close:
        update();
        hide();
        break;
    }
}

void TManualForm::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint at = event->position().toPoint();
    if (const auto button = pager_.buttonAt({at.x(), at.y()}, {width(), height()})) {
        pressedButton_ = *button;
        apply(pager_.buttonDown(*button));
        return;
    }
    if (onWayland()) {
        // Wayland lets only the compositor move windows.
        windowHandle()->startSystemMove();
        return;
    }
    dragging_ = true;
    drag_.begin({at.x(), at.y()});
}

void TManualForm::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_ || !(event->buttons() & Qt::LeftButton)) {
        return;
    }
    // From the global position: the event's own may still be relative to where the window
    // was before the last move took effect.
    const QPoint client = event->globalPosition().toPoint() - geometry().topLeft();
    const ManualPoint to = drag_.moved({x(), y()}, {client.x(), client.y()});
    move(to.x, to.y);
}

void TManualForm::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    dragging_ = false;
    // The press's button is released wherever the pointer is now.
    if (pressedButton_) {
        const ManualButton button = *pressedButton_;
        pressedButton_.reset();
        apply(pager_.buttonUp(button));
    }
}

} // namespace manual
