// The yardstick for the program's idle cost: a plain frameless Qt window of the device's size
// that repaints the colon's few pixels twice a second, as the clock mode does, and nothing else.
#include <QApplication>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

namespace {

class BareWindow : public QWidget {
public:
    BareWindow() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
        setWindowTitle(QStringLiteral("Bare window"));
        setFixedSize(560, 372);
        setAttribute(Qt::WA_OpaquePaintEvent);
        face_ = QImage(size(), QImage::Format_RGB32);
        face_.fill(QColor(40, 90, 110));
        blink_.setTimerType(Qt::PreciseTimer);
        connect(&blink_, &QTimer::timeout, this, [this] {
            lit_ = !lit_;
            update(kColon);
        });
        blink_.start(500);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        painter.drawImage(event->rect(), face_, event->rect());
        if (lit_) {
            painter.fillRect(kColon.intersected(event->rect()), QColor(30, 40, 50));
        }
    }

private:
    static constexpr QRect kColon{283, 68, 5, 16};
    QImage face_;
    QTimer blink_;
    bool lit_ = false;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    BareWindow window;
    window.move(232, 198);
    window.show();
    return app.exec();
}
