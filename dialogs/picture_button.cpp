#include "dialogs/picture_button.h"

#include <QMouseEvent>
#include <QPainter>

namespace dialogs {

PictureButton::PictureButton(const QImage& image, QWidget* parent)
    : QWidget(parent), image_(image) {}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
}

void PictureButton::mousePressEvent(QMouseEvent* event) {
    // Taken, so the release comes back here rather than to the dialog.
    event->accept();
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event) {
    // Releasing elsewhere after pressing here is a change of mind, not a click.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

} // namespace dialogs
