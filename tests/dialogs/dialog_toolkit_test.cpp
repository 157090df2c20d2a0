#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QWindow>

#include <string>
#include <vector>

#include "device/virtual_keys.h"
#include "dialogs/dialog_frame.h"
#include "dialogs/key_forwarder.h"
#include "dialogs/window_placement.h"

namespace {

using Journal = std::vector<std::string>;
using dialogs::Anchor;

// Sent where the platform delivers keys: the window, not the focused control. X11 scan codes.
void key(QWidget& window, QEvent::Type type, int qtKey, quint32 scanCode,
         const QString& text = {}) {
    QKeyEvent event(type, qtKey, Qt::NoModifier, scanCode, 0, 0, text);
    QCoreApplication::sendEvent(window.windowHandle(), &event);
}

TEST(DialogKeys, EscapeAlwaysLeavesAndOnlyTheDialogsConfirmKeysConfirm) {
    using enum dialogs::DialogKeyAction;
    const dialogs::DialogKeyRules escapeOnly{};
    EXPECT_EQ(dialogKeyAction(escapeOnly, device::vk::Escape, false), Leave);
    EXPECT_EQ(dialogKeyAction(escapeOnly, device::vk::Return, true), PassOn);

    static constexpr std::uint16_t kKeys[] = {device::vk::Return, device::vk::Space};
    const dialogs::DialogKeyRules swallowing{kKeys, true};
    EXPECT_EQ(dialogKeyAction(swallowing, device::vk::Space, true), Confirm);
    EXPECT_EQ(dialogKeyAction(swallowing, device::vk::Space, false), Swallow);
    EXPECT_EQ(dialogKeyAction(swallowing, device::vk::Escape, true), Leave);
    EXPECT_EQ(dialogKeyAction(swallowing, device::vk::Digit1, true), PassOn);
    EXPECT_EQ(dialogKeyAction(swallowing, std::nullopt, true), PassOn);
}

// A window with a line edit that has the focus, its keys forwarded to a journal first.
class Forwarded : public testing::Test {
protected:
    void SetUp() override {
        window.setFocusProxy(&edit);
        edit.setFocus();
    }
    void install(bool swallowPresses) {
        dialogs::KeyForwarder::Handlers handlers;
        handlers.pressed = [this, swallowPresses](const QKeyEvent& k) {
            journal.push_back("press " + k.text().toStdString());
            return swallowPresses;
        };
        handlers.released = [this](const QKeyEvent& k) {
            journal.push_back("release " + k.text().toStdString());
        };
        handlers.focusLost = [this] { journal.push_back("focus lost"); };
        dialogs::KeyForwarder::install(window, std::move(handlers));
    }
    void type(const char* letter, int qtKey, quint32 scanCode) {
        key(window, QEvent::KeyPress, qtKey, scanCode, QString::fromLatin1(letter));
        key(window, QEvent::KeyRelease, qtKey, scanCode, QString::fromLatin1(letter));
    }

    QWidget window;
    QLineEdit edit{&window};
    Journal journal;
};

TEST_F(Forwarded, TheWindowSeesEveryKeyFirstAndAKeptPressGoesNoFurther) {
    install(true);
    ASSERT_NE(window.windowHandle(), nullptr) << "installing creates the window";
    type("a", Qt::Key_A, 38);
    EXPECT_EQ(journal, (Journal{"press a", "release a"}));
    EXPECT_EQ(edit.text(), "");

    QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(window.windowHandle(), &out);
    EXPECT_EQ(journal.back(), "focus lost");
}

TEST_F(Forwarded, APressTheWindowDoesNotKeepReachesTheFocusedControl) {
    install(false);
    type("b", Qt::Key_B, 56);
    EXPECT_EQ(journal, (Journal{"press b", "release b"}));
    EXPECT_EQ(edit.text(), "b");

    // Handlers may be left out: the keys go on as before.
    QWidget bare;
    QLineEdit bareEdit(&bare);
    bare.setFocusProxy(&bareEdit);
    bareEdit.setFocus();
    dialogs::KeyForwarder::install(bare, {});
    key(bare, QEvent::KeyPress, Qt::Key_C, 54, QStringLiteral("c"));
    key(bare, QEvent::KeyRelease, Qt::Key_C, 54, QStringLiteral("c"));
    EXPECT_EQ(bareEdit.text(), "c");
}

constexpr std::uint16_t kEnter[] = {device::vk::Return};

// The smallest dialog: a line edit, Enter confirming while `available`.
class TestDialog : public dialogs::DialogFrame {
public:
    explicit TestDialog(Journal& journal)
        : DialogFrame({QStringLiteral("TestDialog"),
                       QStringLiteral("Test"),
                       QSize(301, 121),
                       dialogs::kDialogBlue,
                       {kEnter, false}},
                      nullptr),
          journal_(journal) {
        edit->setGeometry(10, 10, 100, 20);
        connect(edit, &QLineEdit::returnPressed, this, [this] { journal_.push_back("edit"); });
    }
    void centreOn(Anchor anchor) { centre(anchor); }
    void present() { bringForward(); }

    bool available = true;
    QLineEdit* edit = new QLineEdit(this);

protected:
    void leave() override {
        journal_.push_back("leave");
        hide();
    }
    void confirm() override { journal_.push_back("confirm"); }
    bool confirmAvailable() const override { return available; }
    QWidget* firstFocus() const override { return edit; }

private:
    Journal& journal_;
};

TEST(DialogFrame, LooksAndKeysEnterConfirmsEscapeAndCloseRequestsLeave) {
    Journal journal;
    TestDialog dialog(journal);
    EXPECT_EQ(dialog.objectName(), "TestDialog");
    EXPECT_EQ(dialog.windowTitle(), "Test");
    EXPECT_EQ(dialog.size(), QSize(301, 121));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    EXPECT_EQ(dialog.palette().color(QPalette::Window), dialogs::kDialogBlue);
    EXPECT_EQ(dialog.font().pixelSize(), 11);
    EXPECT_TRUE(dialog.windowFlags().testFlag(Qt::Dialog));

    dialog.present();
    EXPECT_EQ(dialog.focusWidget(), dialog.edit) << "shown, the first control has the focus";
    key(dialog, QEvent::KeyPress, Qt::Key_Return, 36);
    EXPECT_EQ(journal, (Journal{"confirm"}));
    dialog.available = false;
    key(dialog, QEvent::KeyPress, Qt::Key_Return, 36);
    EXPECT_EQ(journal.back(), "edit") << "unavailable, Enter goes on to the focused control";

    QCloseEvent request;
    QCoreApplication::sendEvent(dialog.windowHandle(), &request);
    EXPECT_FALSE(request.isAccepted());
    EXPECT_EQ(journal.back(), "leave");
    dialog.present();
    key(dialog, QEvent::KeyPress, Qt::Key_Escape, 9);
    EXPECT_EQ(journal, (Journal{"confirm", "edit", "leave", "leave"}));
    EXPECT_FALSE(dialog.isVisible());
}

TEST(DialogFrame, CentringPutsTheAnchorOnThePrimaryScreensCentredPoint) {
    Journal journal;
    TestDialog dialog(journal);
    dialog.present();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QPoint centred =
        screen.topLeft() + QPoint((screen.width() - 301) / 2, (screen.height() - 121) / 2);
    dialog.move(7, 9);
    dialog.centreOn(Anchor::ClientArea);
    EXPECT_EQ(dialog.geometry().topLeft(), centred);
    dialog.centreOn(Anchor::Frame);
    EXPECT_EQ(dialog.pos(), centred);
}

// A window manager keeps the dialogs above the device's window.
TEST(DialogFrame, TheTransientParentIsTheOwnersWindow) {
    Journal journal;
    TestDialog dialog(journal);
    QWidget owner;
    owner.winId();
    dialogs::setTransientParent(dialog, owner);
    EXPECT_EQ(dialog.windowHandle()->transientParent(), owner.windowHandle());
}

} // namespace
