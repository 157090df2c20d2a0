#include <gtest/gtest.h>

#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include <string>
#include <vector>

#include "dialogs/keys_form.h"

namespace {

using Journal = std::vector<std::string>;

class FakeKeysHost : public dialogs::KeysHost {
public:
    std::array<int, device::kBindingCount> keyIndexes() const override { return stored; }
    void acceptBindings(const std::array<int, device::kBindingCount>& indexes) override {
        std::string line = "accept";
        for (int index : indexes) {
            line += " " + std::to_string(index);
        }
        journal.push_back(line);
        stored = indexes;
    }
    void enableMainWindow() override { journal.push_back("enableMainWindow"); }

    std::array<int, device::kBindingCount> stored{2, 3, 4, 39, 40};
    Journal journal;
};

class KeysForm : public testing::Test {
protected:
    dialogs::TKeysForm& create() {
        form = std::make_unique<dialogs::TKeysForm>(host);
        form->FormCreate();
        return *form;
    }
    template <typename T> T* part(const std::string& name) {
        T* found = form->findChild<T*>(QString::fromStdString(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QComboBox* list(int slot) { return part<QComboBox>("cb_" + std::to_string(slot)); }
    // The slots whose label is red; every other label must be white.
    std::string redLabels() {
        std::string red;
        for (int slot = 1; slot <= device::kBindingCount; ++slot) {
            const QColor colour =
                part<QLabel>("la_" + std::to_string(slot))->palette().color(QPalette::WindowText);
            EXPECT_TRUE(colour == Qt::red || colour == Qt::white) << slot;
            red += colour == Qt::red ? std::to_string(slot) : "";
        }
        return red;
    }
    // Sent where the platform delivers keys: the dialog's window, not the focused control.
    // The scan codes are X11's: 36 Enter, 9 Escape, 23 Tab, 116 Down.
    void press(int key, quint32 scanCode) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, scanCode, 0, 0);
        QCoreApplication::sendEvent(form->windowHandle(), &event);
    }

    FakeKeysHost host;
    std::unique_ptr<dialogs::TKeysForm> form;
};

TEST_F(KeysForm, OpensCentredOnTheStoredKeysAndTabWalksTheSlots) {
    create();
    EXPECT_FALSE(form->isVisible());
    form->open();
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    EXPECT_EQ(form->geometry().topLeft(),
              QPoint((screen.width() - 448) / 2, (screen.height() - 163) / 2));
    const QStringList expected{"1", "2", "3", "<LEFT ARROW>", "<RIGHT ARROW>"};
    for (int slot = 1; slot <= device::kBindingCount; ++slot) {
        EXPECT_EQ(list(slot)->count(), device::kKeyCount);
        EXPECT_EQ(list(slot)->currentText(), expected[slot - 1]);
        EXPECT_EQ(form->focusWidget(), list(slot));
        press(Qt::Key_Tab, 23);
    }
    EXPECT_EQ(form->focusWidget(), part<QPushButton>("btn_accept"));
    EXPECT_EQ(redLabels(), "");
    EXPECT_TRUE(form->acceptEnabled());

    // Reopened, the first list has the keys again, and keys other than Enter and Escape reach it.
    form->hide();
    form->open();
    press(Qt::Key_Down, 116);
    EXPECT_EQ(list(1)->currentText(), "2");
    EXPECT_EQ(redLabels(), "12");
    EXPECT_TRUE(host.journal.empty());
}

TEST_F(KeysForm, ConflictsTurnLabelsRedAndBlockAcceptUntilResolved) {
    create().open();
    list(5)->setCurrentIndex(38);
    EXPECT_EQ(redLabels(), "45");
    EXPECT_FALSE(form->acceptEnabled());
    press(Qt::Key_Return, 36);
    form->btn_acceptClick();
    EXPECT_TRUE(host.journal.empty());
    EXPECT_TRUE(form->isVisible());

    list(1)->setCurrentIndex(38);
    EXPECT_EQ(redLabels(), "145");
    list(4)->setCurrentIndex(43);
    EXPECT_EQ(redLabels(), "15");
    list(5)->setCurrentIndex(39);
    EXPECT_EQ(redLabels(), "");
    press(Qt::Key_Return, 36);
    EXPECT_EQ(host.journal, (Journal{"accept 39 3 4 44 40", "enableMainWindow"}));
    EXPECT_FALSE(form->isVisible());

    form->open();
    list(3)->setCurrentIndex(10);
    QTest::mouseClick(part<QPushButton>("btn_accept"), Qt::LeftButton);
    EXPECT_EQ(host.journal.at(2), "accept 39 3 11 44 40");
    EXPECT_FALSE(form->isVisible());
}

TEST_F(KeysForm, LeavingStoresNothingAndReopensOnTheBindingsInForce) {
    create().open();
    list(2)->setCurrentIndex(25);
    list(3)->setCurrentIndex(20);
    press(Qt::Key_Escape, 9);
    EXPECT_EQ(host.journal, (Journal{"enableMainWindow"}));
    EXPECT_FALSE(form->isVisible());

    // The abandoned choices are gone: an Accept now stores exactly what was in force.
    form->open();
    EXPECT_EQ(list(2)->currentText(), "2");
    EXPECT_EQ(list(3)->currentText(), "3");
    QTest::mouseClick(part<QPushButton>("btn_accept"), Qt::LeftButton);
    EXPECT_EQ(host.journal.at(1), "accept 2 3 4 39 40");

    form->open();
    form->close(); // a window manager's close request
    EXPECT_EQ(host.journal.back(), "enableMainWindow");
    EXPECT_FALSE(form->isVisible());
}

TEST_F(KeysForm, ReopensOnBindingsChangedSinceItWasLastShown) {
    create().open();
    list(1)->setCurrentIndex(20);
    QTest::mouseClick(part<QPushButton>("btn_accept"), Qt::LeftButton);
    host.stored[1] = 44; // changed elsewhere meanwhile (a replayed bind, another dialog)
    form->open();
    EXPECT_EQ(list(1)->currentIndex(), 20);
    EXPECT_EQ(list(2)->currentIndex(), dialogs::listPositionForKeyIndex(44));
    EXPECT_TRUE(form->acceptEnabled());
}

TEST_F(KeysForm, StoredIndexesOutsideTheTableSelectNothing) {
    host.stored = {0, 45, 4, 39, 40};
    create();
    EXPECT_EQ(list(1)->currentIndex(), -1);
    EXPECT_EQ(list(2)->currentIndex(), -1);
    EXPECT_EQ(redLabels(), "12");
    EXPECT_FALSE(form->acceptEnabled());
}

} // namespace
