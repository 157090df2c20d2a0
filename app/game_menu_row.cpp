#include "app/game_menu_row.h"

#include <QMouseEvent>

namespace app {

GameMenuRow::GameMenuRow(const QString& text, bool isItem, bool enabled, int scale, QWidget* parent)
    : QLabel(text, parent), reacts_(isItem && enabled) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(14 * scale); // a 16-pixel character cell, internal leading included
    setFont(font);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, Qt::white);
    colours.setColor(QPalette::Window, Qt::black);
    setPalette(colours);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setEnabled(!isItem || enabled);
    if (isItem) {
        setCursor(Qt::PointingHandCursor);
    }
}

void GameMenuRow::setHighlighted(bool on) {
    setAutoFillBackground(on);
    update();
}

void GameMenuRow::enterEvent(QEnterEvent* event) {
    if (reacts_) {
        setHighlighted(true);
    }
    QLabel::enterEvent(event);
}

void GameMenuRow::leaveEvent(QEvent* event) {
    if (reacts_) {
        setHighlighted(false);
    }
    QLabel::leaveEvent(event);
}

void GameMenuRow::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

// The item runs first, then the menu closes: the item may itself close the menu, so the
// rows are only ever removed once this event is over.
void GameMenuRow::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (!reacts_ || event->button() != Qt::LeftButton) {
        return;
    }
    const bool click = pressed_ && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click) {
        emit clicked();
    }
    emit leftReleased();
}

} // namespace app
