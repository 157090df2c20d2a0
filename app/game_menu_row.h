#pragma once

#include <QLabel>

namespace app {

// One text row of the in-window game menu. An item's row turns into a black bar under the
// pointer, runs its item on a click and closes the menu when the left button is released
// over it; a separator's row is an empty gap that takes clicks and does nothing.
class GameMenuRow : public QLabel {
    Q_OBJECT

public:
    GameMenuRow(const QString& text, bool isItem, bool enabled, int scale, QWidget* parent);

signals:
    void clicked();
    void leftReleased();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setHighlighted(bool on);

    bool reacts_;
    bool pressed_ = false;
};

} // namespace app
