#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

#include "manual/manual_form.h"
#include "tests/manual/manual_book.h"

namespace manual {
namespace {

using test::TempBook;
using B = ManualButton;

// Qt keys with their X11 scan codes, which name the physical keys.
const std::pair<int, quint32> kEsc{Qt::Key_Escape, 9}, kLeft{Qt::Key_Left, 113},
    kRight{Qt::Key_Right, 114};

// A 600 x 400 book whose page 3 is missing.
std::string preparedBook(const TempBook& book) {
    book.writeConfig("ManualWidth=600\nManualHeight=400\n");
    for (int p : {1, 2, 4, 5}) {
        book.savePage(std::to_string(p) + ".bmp", TempBook::pageColour(p));
    }
    return book.configPath();
}

class ManualForm : public testing::Test {
protected:
    // Keys go where the platform delivers them: the window, not a widget.
    void key(QEvent::Type type, std::pair<int, quint32> k, bool autoRepeat = false) {
        QKeyEvent event(type, k.first, Qt::NoModifier, k.second, 0, 0, QString(), autoRepeat);
        QCoreApplication::sendEvent(form.windowHandle(), &event);
    }
    void tap(std::pair<int, quint32> k, int times = 1) {
        for (int i = 0; i < times; ++i) {
            key(QEvent::KeyPress, k);
            key(QEvent::KeyRelease, k);
        }
    }
    void mouse(QEvent::Type type, Qt::MouseButton button, QPoint client, QPoint global = {}) {
        QMouseEvent event(type, client, global.isNull() ? form.pos() + client : global,
                          type == QEvent::MouseMove ? Qt::NoButton : button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : button, {});
        QCoreApplication::sendEvent(&form, &event);
    }
    // Close, previous, next as drawn: 'u' released, 'd' pressed, '-' absent.
    std::string drawn() {
        const QImage shot = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
        std::string looks;
        for (B b : {B::Close, B::Left, B::Right}) {
            const QImage at = shot.copy(manualButtonBox(b, form.size()));
            looks += at == manualButtonPicture(b, false)  ? 'u'
                     : at == manualButtonPicture(b, true) ? 'd'
                                                          : '-';
        }
        return looks;
    }

    TempBook book;
    TManualForm form{preparedBook(book)};
};

TEST_F(ManualForm, FirstOpeningIsCentredOnPageOneWithOutlineAndButtons) {
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.size(), QSize(600, 400));
    EXPECT_EQ(form.windowTitle(), "Manual");
    EXPECT_TRUE(form.windowFlags().testFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint));
    form.open();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(form.pos(),
              screen.topLeft() + QPoint((screen.width() - 600) / 2, (screen.height() - 400) / 2));
    const QImage shot = form.grab().toImage();
    for (QPoint p : {QPoint(0, 0), QPoint(300, 0), QPoint(599, 399), QPoint(0, 200)}) {
        EXPECT_EQ(shot.pixelColor(p), QColor(Qt::black)) << "outline";
    }
    EXPECT_EQ(shot.pixelColor(300, 200), TempBook::pageColour(1));
    EXPECT_EQ(drawn(), "u-u");
}

TEST_F(ManualForm, AHeldRepeatingArrowTurnsOnePageAtTheRelease) {
    form.open();
    key(QEvent::KeyPress, kRight);
    for (int i = 0; i < 4; ++i) {
        key(QEvent::KeyRelease, kRight, true);
        key(QEvent::KeyPress, kRight, true);
    }
    EXPECT_EQ(form.page(), 1);
    EXPECT_EQ(drawn(), "u-d");
    key(QEvent::KeyRelease, kRight);
    EXPECT_EQ(form.page(), 2);
    tap(kRight);
    // The missing page 3: a small red square, the first page showing around it.
    const QImage shot = form.grab().toImage();
    EXPECT_EQ(shot.pixelColor(5, 5), QColor(255, 0, 0));
    EXPECT_EQ(shot.pixelColor(20, 20), TempBook::pageColour(1));
    tap(kLeft, 3);
    EXPECT_EQ(form.page(), 1);
}

TEST_F(ManualForm, ClosingKeepsPageAndPlaceAndOpeningWhileShownOnlyRaises) {
    form.open();
    tap(kRight, 4);
    form.move(40, 30);
    key(QEvent::KeyPress, kLeft); // held while the manual closes
    key(QEvent::KeyPress, kEsc);
    EXPECT_EQ(drawn(), "ddu");
    key(QEvent::KeyRelease, kEsc);
    EXPECT_FALSE(form.isVisible());
    form.open();
    EXPECT_EQ(form.page(), 5);
    EXPECT_EQ(form.pos(), QPoint(40, 30));
    EXPECT_EQ(drawn(), "uuu") << "each showing sets the buttons anew";
    key(QEvent::KeyPress, kLeft);
    form.open();
    EXPECT_EQ(drawn(), "udu") << "no new showing";
}

TEST_F(ManualForm, LeftMouseButtonPressesButtonsAndDragsThePage) {
    form.open();
    form.move(100, 100);
    for (QPoint at : {QPoint(585, 388), QPoint(50, 60)}) {
        mouse(QEvent::MouseButtonPress, Qt::RightButton, at);
        mouse(QEvent::MouseMove, Qt::RightButton, at + QPoint(30, 30));
        mouse(QEvent::MouseButtonRelease, Qt::RightButton, at + QPoint(30, 30));
    }
    EXPECT_EQ(form.page(), 1);
    EXPECT_EQ(form.pos(), QPoint(100, 100));

    mouse(QEvent::MouseButtonPress, Qt::LeftButton, {585, 388});
    EXPECT_EQ(drawn(), "u-d");
    mouse(QEvent::MouseButtonRelease, Qt::LeftButton, {-50, 900});
    EXPECT_EQ(form.page(), 2);

    mouse(QEvent::MouseButtonPress, Qt::LeftButton, {50, 60});
    mouse(QEvent::MouseMove, Qt::LeftButton, {}, {170, 140});
    mouse(QEvent::MouseMove, Qt::LeftButton, {}, {160, 150});
    EXPECT_EQ(form.pos(), QPoint(110, 90));
    mouse(QEvent::MouseButtonRelease, Qt::LeftButton, {50, 60});
    mouse(QEvent::MouseMove, Qt::LeftButton, {}, {400, 400});
    EXPECT_EQ(form.pos(), QPoint(110, 90)) << "the drag ended";

    mouse(QEvent::MouseButtonPress, Qt::LeftButton, {585, 9});
    mouse(QEvent::MouseButtonRelease, Qt::LeftButton, {300, 300});
    EXPECT_FALSE(form.isVisible());
}

} // namespace
} // namespace manual
