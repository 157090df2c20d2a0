#pragma once

#include <QColor>
#include <QSize>
#include <QString>

class QWidget;

namespace dialogs {

// The dialogs' common ground: the deep blue of the key settings and about boxes.
inline const QColor kDialogBlue(0x08, 0x29, 0x52);

// Caption, fixed client size and background colour, whatever the desktop's theme (the
// pictures are drawn for these colours), and the dialogs' own small type, so every text
// fits the box it was laid out in.
void setUpDialog(QWidget& dialog, const QString& caption, QSize clientSize, QColor background);

} // namespace dialogs
