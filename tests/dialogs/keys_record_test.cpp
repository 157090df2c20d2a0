#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QWindow>

#include <vector>

#include "dialogs/keys_form.h"

namespace {

using Indexes = std::array<int, device::kBindingCount>;

// Keeps what each Accept hands over.
class AcceptingHost : public dialogs::KeysHost {
public:
    explicit AcceptingHost(Indexes shown) : shown_(shown) {}
    Indexes keyIndexes() const override { return shown_; }
    void acceptBindings(const Indexes& indexes) override { accepted.push_back(indexes); }
    void enableMainWindow() override {}

    std::vector<Indexes> accepted;

private:
    Indexes shown_;
};

class KeysRecord : public testing::Test {
protected:
    void open(Indexes shown) {
        host = std::make_unique<AcceptingHost>(shown);
        form = std::make_unique<dialogs::TKeysForm>(*host);
        form->FormCreate();
        form->open();
    }
    // Keys go where the platform delivers them: the dialog's window. X11 scan codes: 36 Enter,
    // 23 Tab, 116 Down.
    void press(int key, quint32 scanCode) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, scanCode, 0, 0);
        QCoreApplication::sendEvent(form->windowHandle(), &event);
    }
    QComboBox* list(int slot) const {
        return form->findChild<QComboBox*>(QStringLiteral("cb_%1").arg(slot));
    }
    bool red(int slot) const {
        return form->findChild<QLabel*>(QStringLiteral("la_%1").arg(slot))
                   ->palette()
                   .color(QPalette::WindowText) == Qt::red;
    }

    std::unique_ptr<AcceptingHost> host;
    std::unique_ptr<dialogs::TKeysForm> form;
};

// A list without a choice is no conflict while it is the only one; Accept hands over 0, "no
// key", for its slot, which a record leaves out, and every other slot's key as chosen: each
// index a record can hold (1..44), or 0.
TEST_F(KeysRecord, OneListWithoutAKeyHandsOverNoKeyForItsSlot) {
    open({2, 0, 4, 39, 40});
    ASSERT_EQ(list(2)->currentIndex(), -1);
    EXPECT_FALSE(red(2));
    EXPECT_TRUE(form->acceptEnabled());

    press(Qt::Key_Down, 116); // the first list, GAME A: '1' becomes '2'
    press(Qt::Key_Tab, 23);
    press(Qt::Key_Tab, 23);
    press(Qt::Key_Down, 116); // TIME: '3' becomes '4'
    press(Qt::Key_Return, 36);
    ASSERT_EQ(host->accepted.size(), 1u);
    EXPECT_EQ(host->accepted[0], (Indexes{3, 0, 5, 39, 40}));
    for (const int index : host->accepted[0]) {
        EXPECT_TRUE(index == 0 || device::isValidKeyIndex(index)) << index;
    }
}

// Two lists without a choice would bind two buttons to nothing: that is a conflict like any
// other, and Enter stores nothing until one of them has a key.
TEST_F(KeysRecord, TwoListsWithoutAKeyAreAConflict) {
    open({0, 3, 0, 39, 40});
    EXPECT_TRUE(red(1));
    EXPECT_TRUE(red(3));
    EXPECT_FALSE(form->acceptEnabled());
    press(Qt::Key_Return, 36);
    EXPECT_TRUE(host->accepted.empty());

    list(3)->setCurrentIndex(43); // the space bar
    EXPECT_FALSE(red(1));
    press(Qt::Key_Return, 36);
    ASSERT_EQ(host->accepted.size(), 1u);
    EXPECT_EQ(host->accepted[0], (Indexes{0, 3, 44, 39, 40}));
}

} // namespace
