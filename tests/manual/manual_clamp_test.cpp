#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

#include "manual/manual_form.h"
#include "manual/manual_pager.h"
#include "tests/manual/manual_book.h"

namespace manual {
namespace {

constexpr std::uint16_t kLeft = 37, kRight = 39;
using B = ManualButton;

// A press of an arrow button and a press of its arrow key, both made on the same page, end
// with two releases that each turn the page: the second finds the book's end already reached.
TEST(ManualPageClamp, TwoTurnsStartedTogetherStopAtEitherEnd) {
    ManualPager pager;
    pager.buttonDown(B::Right);
    pager.buttonUp(B::Right);
    ASSERT_EQ(pager.page(), 2);
    pager.buttonDown(B::Left); // the mouse first ...
    pager.keyDown(kLeft);      // ... then the key, still on page 2
    pager.keyUp(kLeft);
    EXPECT_EQ(pager.page(), 1);
    pager.buttonUp(B::Left);
    EXPECT_EQ(pager.page(), 1);
    EXPECT_FALSE(pager.upShown(B::Left));

    for (int turn = 0; turn < 6; ++turn) {
        pager.keyDown(kRight);
        pager.keyUp(kRight);
    }
    ASSERT_EQ(pager.page(), ManualPager::kLastPage - 1);
    pager.buttonDown(B::Right);
    pager.keyDown(kRight);
    pager.keyUp(kRight);
    pager.buttonUp(B::Right);
    EXPECT_EQ(pager.page(), ManualPager::kLastPage);
    EXPECT_FALSE(pager.upShown(B::Right));
}

// The same through the window, as a user does it: the arrow button held with the mouse while
// the arrow key is tapped. The page shown is always one of the book's.
class ManualClampForm : public testing::Test {
protected:
    void SetUp() override {
        book.writeConfig("ManualWidth=600\nManualHeight=400\n");
        for (int p = 1; p <= 8; ++p) {
            book.savePage(std::to_string(p) + ".bmp", test::TempBook::pageColour(p));
        }
        form = std::make_unique<TManualForm>(book.configPath());
        form->open();
    }
    void key(QEvent::Type type, int qtKey, quint32 scan) {
        QKeyEvent event(type, qtKey, Qt::NoModifier, scan, 0, 0);
        QCoreApplication::sendEvent(form->windowHandle(), &event);
    }
    void tap(int qtKey, quint32 scan) {
        key(QEvent::KeyPress, qtKey, scan);
        key(QEvent::KeyRelease, qtKey, scan);
    }
    void mouse(QEvent::Type type, QPoint at) {
        QMouseEvent event(type, at, form->pos() + at, Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, {});
        QCoreApplication::sendEvent(form.get(), &event);
    }
    QPoint centreOf(B b) const { return manualButtonBox(b, form->size()).center(); }
    QColor pageShown() { return form->grab().toImage().pixelColor(300, 200); }

    test::TempBook book;
    std::unique_ptr<TManualForm> form;
};

TEST_F(ManualClampForm, MouseAndArrowKeyTogetherStayWithinTheBook) {
    tap(Qt::Key_Right, 114);
    ASSERT_EQ(form->page(), 2);
    mouse(QEvent::MouseButtonPress, centreOf(B::Left));
    tap(Qt::Key_Left, 113);
    mouse(QEvent::MouseButtonRelease, centreOf(B::Left));
    ASSERT_EQ(form->page(), 1);
    EXPECT_EQ(pageShown(), test::TempBook::pageColour(1));

    for (int turn = 0; turn < 6; ++turn) {
        tap(Qt::Key_Right, 114);
    }
    ASSERT_EQ(form->page(), 7);
    mouse(QEvent::MouseButtonPress, centreOf(B::Right));
    tap(Qt::Key_Right, 114);
    mouse(QEvent::MouseButtonRelease, centreOf(B::Right));
    ASSERT_EQ(form->page(), 8);
    EXPECT_EQ(pageShown(), test::TempBook::pageColour(8));
}

} // namespace
} // namespace manual
