#pragma once

#include <QImage>
#include <QWidget>

namespace dialogs {

// A picture that acts as a button: it paints its image at its top-left corner and reports a
// click when the left button is released over it.
class PictureButton : public QWidget {
    Q_OBJECT

public:
    explicit PictureButton(const QImage& image, QWidget* parent = nullptr);

    QSize sizeHint() const override { return image_.size(); }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage image_;
};

} // namespace dialogs
