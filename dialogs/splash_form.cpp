#include "dialogs/splash_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>

#include "dialogs/dialog_pictures.h"
#include "dialogs/link_label.h"
#include "dialogs/links.h"
#include "dialogs/picture_button.h"
#include "session/program_info.h"

namespace dialogs {
namespace {

constexpr int kWidth = 460;
constexpr int kHeight = 420;
const QColor kLinkColour(0x18, 0x52, 0x94);
const QColor kSwitchColour(0x08, 0x29, 0x52);

QFont arialFont(QFont font) {
    font.setFamily(QStringLiteral("Arial"));
    return font;
}

QLabel* textLabel(QWidget* parent, const char* name, const QRect& box) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(box);
    return label;
}

// The title lines stand white on the dark top of the background picture.
QLabel* titleLabel(QWidget* parent, const char* name, const QRect& box) {
    QLabel* label = textLabel(parent, name, box);
    QFont font = arialFont(label->font());
    font.setBold(true);
    font.setPixelSize(12);
    label->setFont(font);
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(colours);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabel* pictureLabel(QWidget* parent, const char* name, const QRect& box, const QString& file) {
    QLabel* label = textLabel(parent, name, box);
    label->setPixmap(QPixmap::fromImage(dialogPicture(file)));
    return label;
}

template <typename Widget> Widget* named(Widget* widget, const char* name, const QRect& box) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(box);
    return widget;
}

} // namespace

TSplashForm::TSplashForm(device::Settings& settings, SplashHost& host, QWidget* parent)
    : DialogFrame({QStringLiteral("SplashForm"), QStringLiteral("About this game..."),
                   QSize(kWidth, kHeight), Qt::white, kSplashKeys},
                  parent),
      logic_(settings, host) {
    // Created back to front: later components are drawn over earlier ones.
    im_background = pictureLabel(this, "im_background", {0, 0, 460, 420},
                                 QStringLiteral("splash_background.png"));
    im_box_picture =
        pictureLabel(this, "im_box_picture", {0, 56, 460, 160}, QStringLiteral("splash_box.png"));
    im_box_picture->setAlignment(Qt::AlignCenter);

    la_game_title = titleLabel(this, "la_game_title", {0, 12, 460, 15});
    la_version = titleLabel(this, "la_version", {0, 28, 460, 15});
    la_release_date = textLabel(this, "la_release_date", {0, 236, 460, 15});
    la_release_date->setFont(arialFont(la_release_date->font()));
    la_release_date->setAlignment(Qt::AlignCenter);

    la_website_1 = textLabel(this, "la_website_1", {118, 259, 56, 15});
    la_website_1->setText(QStringLiteral("website:"));
    la_website_2 = named(new LinkLabel(linkText(websiteLink()), kLinkColour, this), "la_website_2",
                         {174, 259, 168, 15});
    la_email_1 = textLabel(this, "la_email_1", {118, 282, 56, 15});
    la_email_1->setText(QStringLiteral("email:"));
    la_email_2 = named(new LinkLabel(linkText(emailLink()), kLinkColour, this), "la_email_2",
                       {174, 282, 168, 15});

    la_sound_select = textLabel(this, "la_sound_select", {98, 308, 116, 15});
    la_sound_select->setText(QStringLiteral("Select sound driver:"));
    cb_sound = named(new QComboBox(this), "cb_sound", {217, 308, 144, 21});
    for (std::string_view driver : kSoundDrivers) {
        cb_sound->addItem(QString::fromUtf8(driver.data(), static_cast<qsizetype>(driver.size())));
    }
    cb_sound->setMaxVisibleItems(static_cast<int>(kSoundDrivers.size()));
    cb_sound->setCurrentIndex(kNoDriver);

    btn_play = named(new PictureButton(dialogPicture(QStringLiteral("play.png")), this), "btn_play",
                     {116, 340, 107, 30});
    btn_play->setCursor(Qt::PointingHandCursor);
    btn_play_disabled = pictureLabel(this, "btn_play_disabled", {116, 340, 107, 30},
                                     QStringLiteral("play_disabled.png"));
    btn_play_disabled->setCursor(Qt::WhatsThisCursor);
    btn_play_disabled->setToolTip(QStringLiteral("please select sound driver first"));
    btn_play_disabled->hide();
    btn_paypal = named(new PictureButton(dialogPicture(QStringLiteral("donate.png")), this),
                       "btn_paypal", {237, 340, 107, 30});
    btn_paypal->setCursor(Qt::PointingHandCursor);

    chb_splashscreen =
        named(new QCheckBox(QStringLiteral("Display this splash screen at startup"), this),
              "chb_splashscreen", {12, 391, 444, 17});
    QPalette switchColours = chb_splashscreen->palette();
    switchColours.setColor(QPalette::Window, kSwitchColour);
    switchColours.setColor(QPalette::Button, kSwitchColour); // a button's fill colour
    switchColours.setColor(QPalette::WindowText, Qt::white);
    chb_splashscreen->setPalette(switchColours);
    chb_splashscreen->setAutoFillBackground(true);
    chb_splashscreen->setChecked(true);

    connect(cb_sound, &QComboBox::currentIndexChanged, this, &TSplashForm::cb_soundChange);
    connect(btn_play, &PictureButton::clicked, this, &TSplashForm::btn_playClick);
    connect(btn_paypal, &PictureButton::clicked, this, &TSplashForm::btn_paypalClick);
    connect(la_website_2, &LinkLabel::clicked, this, &TSplashForm::la_website_2Click);
    connect(la_email_2, &LinkLabel::clicked, this, &TSplashForm::la_email_2Click);
}

void TSplashForm::FormCreate() {
    la_game_title->setText(QString::fromUtf8(session::kProgramTitle));
    la_version->setText(QStringLiteral("Version %1 * Final *").arg(session::kProgramVersion));
    la_release_date->setText(QStringLiteral("Released by the Zemblor team, 8 December 2026"));

    const SplashStart start = logic_.readStart();
    {
        // The stored choice is not a change by the user.
        const QSignalBlocker quiet(cb_sound);
        cb_sound->setCurrentIndex(start.driver);
    }
    chb_splashscreen->setChecked(start.splashAtStartup);

    if (skipsSplash(selectedDriver(), splashChecked())) {
        move(-width(), -height());
        splashPending_ = false;
        btn_playClick();
        return;
    }
    // Placed before its first showing, when most platforms do not know its frame yet: the
    // window goes to the centred point, frame and all.
    centre(Anchor::Frame);
    cb_soundChange();
    show();
}

bool TSplashForm::splashChecked() const {
    return chb_splashscreen->isChecked();
}

void TSplashForm::btn_playClick() {
    const int driver = selectedDriver();
    if (!playAvailable(driver)) {
        return;
    }
    if (logic_.play(driver, splashChecked())) {
        hide();
    }
}

void TSplashForm::cb_soundChange() {
    const bool available = playAvailable(selectedDriver());
    btn_play->setEnabled(available);
    btn_play->setVisible(available);
    btn_play_disabled->setVisible(!available);
}

// Escape, or the close box a window manager may give the dialog all the same: the program
// ends at once.
void TSplashForm::leave() {
    logic_.quit();
}

void TSplashForm::confirm() {
    btn_playClick();
}

bool TSplashForm::confirmAvailable() const {
    return btn_play->isEnabled();
}

QWidget* TSplashForm::firstFocus() const {
    return cb_sound;
}

void TSplashForm::la_website_2Click() {
    openLink(websiteLink());
}

void TSplashForm::la_email_2Click() {
    openLink(emailLink());
}

void TSplashForm::btn_paypalClick() {
    openLink(donationLink());
}

int TSplashForm::selectedDriver() const {
    return driverForSoundMode(cb_sound->currentIndex());
}

} // namespace dialogs
