#pragma once

#include <QColor>
#include <QLabel>

namespace dialogs {

// Text that reads as a link (bold, underlined, in `colour`, hand cursor) and reports a
// click when the left button is released over it.
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    LinkLabel(const QString& text, const QColor& colour, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace dialogs
