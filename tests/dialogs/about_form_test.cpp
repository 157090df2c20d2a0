#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include <vector>

#include "dialogs/about_form.h"
#include "dialogs/about_text.h"
#include "dialogs/links.h"

namespace {

// Takes the desktop's place for opening links.
class AboutLinkCatcher : public QObject {
    Q_OBJECT

public:
    Q_INVOKABLE void open(const QUrl& url) { opened.push_back(url); }
    std::vector<QUrl> opened;
};

// Sent where the platform delivers keys, with X11 scan codes.
void press(QWidget& form, int key, quint32 scanCode) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, scanCode, 0, 0);
    QCoreApplication::sendEvent(form.windowHandle(), &event);
}

TEST(AboutForm, EveryDetailFitsOpensCentredOnceAndOnlyEscapeClosesIt) {
    dialogs::TAboutForm form;
    EXPECT_EQ(form.findChild<QLabel*>("im_picture")->pixmap().size(), QSize(116, 160));
    for (const QLabel* label : form.findChildren<QLabel*>()) {
        EXPECT_TRUE(form.rect().contains(label->geometry())) << label->objectName().toStdString();
        EXPECT_GE(label->width(), label->sizeHint().width()) << label->objectName().toStdString();
    }
    EXPECT_FALSE(form.isVisible());
    form.open();
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    EXPECT_EQ(form.geometry().topLeft(),
              QPoint((screen.width() - 397) / 2, (screen.height() - 176) / 2));
    form.move(10, 20);
    form.open();
    EXPECT_EQ(form.pos(), QPoint(10, 20));

    press(form, Qt::Key_Return, 36);
    press(form, Qt::Key_A, 38);
    EXPECT_TRUE(form.isVisible());
    press(form, Qt::Key_Escape, 9);
    EXPECT_FALSE(form.isVisible());
}

TEST(AboutForm, LinksOpenTheirAddressAndCloseTheBox) {
    dialogs::TAboutForm form;
    AboutLinkCatcher catcher;
    for (const char* scheme : {"https", "mailto"}) {
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &catcher, "open");
    }
    for (const char* link : {"la_website_2", "la_email_2"}) {
        form.open();
        QTest::mouseClick(form.findChild<QLabel*>(QString::fromLatin1(link)), Qt::LeftButton);
        EXPECT_FALSE(form.isVisible()) << link;
    }
    for (const char* scheme : {"https", "mailto"}) {
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
    EXPECT_EQ(catcher.opened, (std::vector<QUrl>{dialogs::websiteLink(), dialogs::emailLink()}));
}

// The box shows the shared table, row under row, each value beside its caption.
TEST(AboutForm, ShowsTheSharedTableRowByRow) {
    dialogs::TAboutForm form;
    EXPECT_EQ(form.windowTitle().toStdString(), dialogs::kAboutTitle);
    const auto label = [&](std::string_view name) {
        return form.findChild<QLabel*>(QString::fromLatin1(name.data(), name.size()));
    };
    int top = 8;
    for (const dialogs::AboutDetail& d : dialogs::kAboutDetails) {
        ASSERT_NE(label(d.captionName), nullptr);
        ASSERT_NE(label(d.valueName), nullptr);
        EXPECT_EQ(label(d.captionName)->text().toStdString(), d.caption);
        EXPECT_EQ(label(d.valueName)->text().toStdString(), d.value);
        EXPECT_EQ(label(d.valueName)->font().italic(), d.italic) << d.valueName;
        EXPECT_EQ(label(d.captionName)->pos(), QPoint(132, top)) << d.captionName;
        EXPECT_EQ(label(d.valueName)->pos(), QPoint(212, top)) << d.valueName;
        top += 24;
    }
    for (const dialogs::AboutLink& l : dialogs::kAboutLinks) {
        EXPECT_EQ(label(l.captionName)->text().toStdString(), l.caption);
        EXPECT_EQ(label(l.linkName)->text().toStdString(), dialogs::addressText(l.address));
        EXPECT_EQ(label(l.linkName)->pos(), QPoint(212, top)) << l.linkName;
        top += 24;
    }
}

} // namespace

#include "about_form_test.moc"
