#include "dialogs/dialog_frame.h"

#include <QFont>
#include <QPalette>
#include <QWidget>

namespace dialogs {

void setUpDialog(QWidget& dialog, const QString& caption, QSize clientSize, QColor background) {
    dialog.setWindowTitle(caption);
    dialog.setFixedSize(clientSize);
    QPalette colours = dialog.palette();
    colours.setColor(QPalette::Window, background);
    colours.setColor(QPalette::WindowText, Qt::black);
    dialog.setPalette(colours);
    dialog.setAutoFillBackground(true);
    QFont small(QStringLiteral("Arial"));
    small.setPixelSize(11);
    dialog.setFont(small);
}

} // namespace dialogs
