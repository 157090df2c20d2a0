// Helpers the program's offscreen tests share.
#pragma once

#include <fstream>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QString>
#include <QWindow>

#include "sound/sound_host.h"

namespace app_test {

// A sound host that shows nothing and ends nothing.
class QuietSoundHost : public sound::SoundHost {
public:
    void showError(const std::string&) override {}
    void requestTerminate() override {}
};

inline std::vector<std::string> readLines(const QString& path) {
    std::ifstream in(path.toStdString());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// A key event as the platform delivers it to a window, with its X11 scan code.
inline void sendKey(QWindow* window, QEvent::Type type, int qtKey, quint32 scan,
                    bool repeat = false) {
    QKeyEvent event(type, qtKey, Qt::NoModifier, scan, 0, 0, QString(), repeat);
    QCoreApplication::sendEvent(window, &event);
}

} // namespace app_test
