#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryFile>

// One 3840 x 2160 screen, so that zoomed windows fit it as on a high-resolution desktop.
int main(int argc, char** argv) {
    QTemporaryFile screens;
    if (screens.open()) {
        screens.write(R"({"screens":[{"name":"big","x":0,"y":0,"width":3840,"height":2160,)"
                      R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})");
        screens.flush();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toUtf8());
    } else {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
