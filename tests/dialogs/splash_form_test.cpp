#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "device/stored_text.h"
#include "dialogs/dialog_pictures.h"
#include "dialogs/links.h"
#include "dialogs/picture_button.h"
#include "dialogs/splash_form.h"

using dialogs::TSplashForm;

namespace {

// What the dialog asked of the store and of the program, in order.
using Journal = std::vector<std::string>;
using Stored = std::map<std::string, std::string, std::less<>>;

class FakeSettings : public device::TextSettings {
public:
    FakeSettings(Journal& journal, Stored stored) : journal_(journal), values_(std::move(stored)) {}

protected:
    std::optional<std::string> readText(std::string_view name) override {
        auto it = values_.find(name);
        return it == values_.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
    void writeText(std::string_view name, const std::string& text) override {
        journal_.push_back("write " + std::string(name) + "=" + text);
        values_.insert_or_assign(std::string(name), text);
    }

private:
    Journal& journal_;
    Stored values_;
};

class FakeHost : public dialogs::SplashHost {
public:
    explicit FakeHost(Journal& journal) : journal_(journal) {}
    bool startSound(int mode) override {
        journal_.push_back("startSound " + std::to_string(mode));
        return soundWorks;
    }
    void splashPlayed(bool on) override {
        journal_.push_back("splashPlayed " + std::to_string(on));
    }
    void quitAtOnce() override { journal_.push_back("quitAtOnce"); }
    bool soundWorks = true;

private:
    Journal& journal_;
};

// Takes the desktop's place for opening links.
class LinkCatcher : public QObject {
    Q_OBJECT

public:
    Q_INVOKABLE void open(const QUrl& url) { opened.push_back(url); }
    std::vector<QUrl> opened;
};

// X11 key codes, which name the physical key.
constexpr quint32 kScanReturn = 36;
constexpr quint32 kScanEscape = 9;
constexpr quint32 kScanDigit1 = 10;
constexpr quint32 kScanKeypad1 = 87;
constexpr quint32 kScanDown = 116;

class SplashForm : public testing::Test {
protected:
    void create(Stored stored = {}) {
        settings = std::make_unique<FakeSettings>(journal, std::move(stored));
        form = std::make_unique<TSplashForm>(*settings, host);
        form->FormCreate();
    }
    template <typename T> T* part(const char* name) {
        T* found = form->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    // Sent where the platform delivers keys: the dialog's window, not the focused control.
    void press(int key, quint32 scanCode, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers, scanCode, 0, 0);
        QCoreApplication::sendEvent(form->windowHandle(), &event);
    }
    bool playShown() {
        auto* play = part<dialogs::PictureButton>("btn_play");
        const bool greyed = !part<QLabel>("btn_play_disabled")->isHidden();
        EXPECT_EQ(play->isEnabled(), !play->isHidden());
        EXPECT_NE(!play->isHidden(), greyed);
        return play->isEnabled();
    }

    Journal journal;
    FakeHost host{journal};
    std::unique_ptr<FakeSettings> settings;
    std::unique_ptr<TSplashForm> form;
};

TEST_F(SplashForm, FirstRunShowsTheDialogCentredWithoutPlayAndEscapeQuits) {
    create();
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->splashPending());
    EXPECT_TRUE(form->splashChecked());
    EXPECT_EQ(form->focusWidget(), part<QComboBox>("cb_sound"));
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    EXPECT_EQ(form->pos(), QPoint((screen.width() - 460) / 2, (screen.height() - 420) / 2));
    EXPECT_FALSE(playShown());

    press(Qt::Key_Return, kScanReturn);
    press(Qt::Key_1, kScanDigit1);
    EXPECT_TRUE(journal.empty());
    press(Qt::Key_Escape, kScanEscape);
    EXPECT_EQ(journal, (Journal{"quitAtOnce"}));
}

// A window manager may give the dialog a close box; closing it ends the program as Escape does,
// writing nothing.
TEST_F(SplashForm, TheWindowManagersCloseRequestQuitsAsEscapeDoes) {
    create({{"SoundMode", "1"}});
    QCloseEvent request;
    QCoreApplication::sendEvent(form->windowHandle(), &request);
    EXPECT_EQ(journal, (Journal{"quitAtOnce"}));
    EXPECT_TRUE(form->isVisible()) << "it stays until the program ends";
}

TEST_F(SplashForm, SplashOffPlaysUnseenOnlyWithAStoredDriver) {
    for (const char* mode : {"-1", "7"}) {
        create({{"SoundMode", mode}, {"SplashScreen", "0"}});
        EXPECT_TRUE(form->isVisible()) << mode;
        EXPECT_FALSE(form->splashChecked());
        EXPECT_FALSE(playShown());
    }
    EXPECT_TRUE(journal.empty());

    create({{"SoundMode", "2"}, {"SplashScreen", "0"}});
    EXPECT_EQ(journal, (Journal{"startSound 2", "write SplashScreen=0", "splashPlayed 0"}));
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->splashPending());
    EXPECT_EQ(form->pos(), QPoint(-460, -420));
}

TEST_F(SplashForm, OtherKeysReachTheDriverListAndChoosingEnablesPlay) {
    create();
    press(Qt::Key_1, kScanKeypad1, Qt::KeypadModifier);
    press(Qt::Key_Down, kScanDown);
    EXPECT_EQ(part<QComboBox>("cb_sound")->currentIndex(), 0);
    EXPECT_TRUE(playShown());
    EXPECT_TRUE(journal.empty());

    part<QCheckBox>("chb_splashscreen")->setChecked(false);
    press(Qt::Key_Exclam, kScanDigit1, Qt::ShiftModifier);
    EXPECT_EQ(journal, (Journal{"startSound 0", "write SplashScreen=0", "splashPlayed 0"}));
    EXPECT_FALSE(form->isVisible());
}

TEST_F(SplashForm, FailedSoundStopsPlayAndKeepsTheDialog) {
    host.soundWorks = false;
    create({{"SoundMode", "1"}});
    QTest::mouseClick(part<dialogs::PictureButton>("btn_play"), Qt::LeftButton);
    EXPECT_EQ(journal, (Journal{"startSound 1"}));
    EXPECT_TRUE(form->isVisible());

    host.soundWorks = true;
    press(Qt::Key_Return, kScanReturn);
    EXPECT_EQ(journal.back(), "splashPlayed 1");
    EXPECT_FALSE(form->isVisible());
}

TEST_F(SplashForm, LinksOpenTheirAddressesAndTheDialogStays) {
    LinkCatcher catcher;
    for (const char* scheme : {"https", "mailto"}) {
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &catcher, "open");
    }
    create();
    QTest::mouseClick(part<QLabel>("la_website_2"), Qt::LeftButton);
    QTest::mouseClick(part<QLabel>("la_email_2"), Qt::LeftButton);
    QTest::mouseClick(part<dialogs::PictureButton>("btn_paypal"), Qt::LeftButton);
    for (const char* scheme : {"https", "mailto"}) {
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
    ASSERT_EQ(catcher.opened.size(), 3u);
    EXPECT_EQ(catcher.opened[0].path(), "/sim/");
    EXPECT_EQ(part<QLabel>("la_email_2")->text(), catcher.opened[1].path());
    EXPECT_EQ(catcher.opened[2], dialogs::donationLink());
    EXPECT_TRUE(form->isVisible());
}

TEST(DialogPictures, BuiltInPicturesDecodeAtTheirSizes) {
    EXPECT_EQ(dialogs::dialogPicture("splash_background.png").size(), QSize(460, 420));
    EXPECT_EQ(dialogs::dialogPicture("splash_box.png").size(), QSize(460, 160));
    for (const char* button : {"play.png", "play_disabled.png", "donate.png"}) {
        EXPECT_EQ(dialogs::dialogPicture(button).size(), QSize(107, 30)) << button;
    }
    EXPECT_TRUE(dialogs::dialogPicture("missing.png").isNull());
}

} // namespace

#include "splash_form_test.moc"
