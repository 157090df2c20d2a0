// A window that counts the key events a held key brings, after asking the X server for the
// program's repeat mode. Prints "presses P releases R" once a key has been released and
// nothing more came for half a second.

#include <cstdio>

#include <QGuiApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWindow>

#include "app/x11_key_repeat.h"

namespace {

class ProbeWindow : public QWindow {
public:
    ProbeWindow() {
        quiet_.setSingleShot(true);
        quiet_.setInterval(500);
        QObject::connect(&quiet_, &QTimer::timeout, [this] {
            std::printf("presses %d releases %d\n", presses_, releases_);
            std::fflush(stdout);
            QGuiApplication::exit(0);
        });
    }

protected:
    void keyPressEvent(QKeyEvent*) override {
        ++presses_;
        quiet_.stop();
    }
    void keyReleaseEvent(QKeyEvent*) override {
        ++releases_;
        quiet_.start();
    }

private:
    QTimer quiet_;
    int presses_ = 0;
    int releases_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    const bool granted = app::requestDetectableKeyRepeat();
    std::printf("detectable %d\n", granted ? 1 : 0);
    std::fflush(stdout);
    ProbeWindow window;
    window.setTitle(QStringLiteral("key repeat probe"));
    window.resize(200, 100);
    window.show();
    return QGuiApplication::exec();
}
