#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // The manual window is a real widget, tested without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
