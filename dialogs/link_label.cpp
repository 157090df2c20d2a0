#include "dialogs/link_label.h"

#include <QMouseEvent>

namespace dialogs {

LinkLabel::LinkLabel(const QString& text, const QColor& colour, QWidget* parent)
    : QLabel(text, parent) {
    QFont linkFont = font();
    linkFont.setBold(true);
    linkFont.setUnderline(true);
    setFont(linkFont);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, colour);
    setPalette(colours);
    setCursor(Qt::PointingHandCursor);
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

} // namespace dialogs
