// A frameless window of one colour whose left half is cut away by a window shape. It logs the
// keys and mouse presses it receives, so that the X session harness can be checked on it.
//
//   window_probe TITLE X Y WIDTH HEIGHT #RRGGBB LOGFILE

#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTextStream>
#include <QWidget>

namespace {

class ProbeWindow : public QWidget {
public:
    ProbeWindow(const QColor& colour, const QString& logPath)
        : QWidget(nullptr, Qt::FramelessWindowHint), colour_(colour), log_(logPath) {
        log_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text);
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), colour_); }
    void resizeEvent(QResizeEvent*) override {
        setMask(QRegion(width() / 2, 0, width() - width() / 2, height()));
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (!event->isAutoRepeat()) {
            write(QString("keydown %1").arg(event->text()));
        }
    }
    void keyReleaseEvent(QKeyEvent* event) override {
        if (!event->isAutoRepeat()) {
            write(QString("keyup %1").arg(event->text()));
        }
    }
    void mousePressEvent(QMouseEvent* event) override {
        const QPoint at = event->position().toPoint();
        write(QString("press %1 %2 %3").arg(at.x()).arg(at.y()).arg(int(event->button())));
    }

private:
    void write(const QString& line) {
        log_.write((line + "\n").toUtf8());
        log_.flush();
    }

    QColor colour_;
    QFile log_;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 8) {
        std::fprintf(stderr, "usage: window_probe TITLE X Y WIDTH HEIGHT #RRGGBB LOGFILE\n");
        return 2;
    }
    ProbeWindow window(QColor(args[6]), args[7]);
    window.setWindowTitle(args[1]);
    window.setGeometry(args[2].toInt(), args[3].toInt(), args[4].toInt(), args[5].toInt());
    window.show();
    return app.exec();
}
