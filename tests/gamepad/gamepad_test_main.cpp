#include <gtest/gtest.h>

#include <QGuiApplication>

// A GUI application, so the pads' gate follows a real application state. SDL needs no video,
// and the audio it shares with the pads is silent.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("SDL_VIDEODRIVER", "dummy");
    qputenv("SDL_AUDIODRIVER", "dummy");
    QGuiApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
