#include "dialogs/about_form.h"

#include <QLabel>

#include "dialogs/dialog_pictures.h"
#include "dialogs/link_label.h"
#include "dialogs/links.h"

namespace dialogs {
namespace {

constexpr int kWidth = 397;
constexpr int kHeight = 176;
constexpr int kCaptionLeft = 132;
constexpr int kValueLeft = 212;

// Labels fit their text, growing right and down from the given corner.
template <typename Label> Label* placed(Label* label, const char* name, int left, int top) {
    label->setObjectName(QString::fromLatin1(name));
    label->move(left, top);
    label->adjustSize();
    return label;
}

QLabel* detailLabel(QWidget* parent, const char* name, int left, int top, const QString& text,
                    bool bold, bool italic = false) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(bold);
    font.setItalic(italic);
    label->setFont(font);
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(colours);
    return placed(label, name, left, top);
}

QLabel* caption(QWidget* parent, const char* name, int top, const char* text) {
    return detailLabel(parent, name, kCaptionLeft, top, QString::fromLatin1(text), false);
}

QLabel* value(QWidget* parent, const char* name, int top, const char* text, bool italic = false) {
    return detailLabel(parent, name, kValueLeft, top, QString::fromUtf8(text), true, italic);
}

} // namespace

// Only Escape is the box's own key; it has a close box and stays above every other window.
TAboutForm::TAboutForm(QWidget* parent)
    : DialogFrame({QStringLiteral("AboutForm"), QStringLiteral("About the author..."),
                   QSize(kWidth, kHeight), kDialogBlue, DialogKeyRules{},
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint},
                  parent) {
    im_picture = new QLabel(this);
    im_picture->setObjectName(QStringLiteral("im_picture"));
    im_picture->setGeometry(8, 8, 116, 160);
    im_picture->setPixmap(QPixmap::fromImage(dialogPicture(QStringLiteral("about.png"))));

    la_name_1 = caption(this, "la_name_1", 8, "Name:");
    la_name_2 = value(this, "la_name_2", 8, "The Zemblor team");
    la_birthplace_1 = caption(this, "la_birthplace_1", 32, "Birthplace:");
    la_birthplace_2 = value(this, "la_birthplace_2", 32, "a small workshop");
    la_birthdate_1 = caption(this, "la_birthdate_1", 56, "Birth date:");
    la_birthdate_2 = value(this, "la_birthdate_2", 56, "8 December 2026");
    la_job_1 = caption(this, "la_job_1", 80, "Occupation:");
    la_job_2 = value(this, "la_job_2", 80, "keeping pocket games alive");
    la_hobby_1 = caption(this, "la_hobby_1", 104, "Hobby:");
    la_hobby_2 = value(this, "la_hobby_2", 104, "winding clocks", true);

    const QColor linkColour(Qt::yellow);
    la_website_1 = caption(this, "la_website_1", 128, "Website:");
    la_website_2 = placed(new LinkLabel(linkText(websiteLink()), linkColour, this), "la_website_2",
                          kValueLeft, 128);
    la_email_1 = caption(this, "la_email_1", 152, "Email:");
    la_email_2 = placed(new LinkLabel(linkText(emailLink()), linkColour, this), "la_email_2",
                        kValueLeft, 152);
    connect(la_website_2, &LinkLabel::clicked, this, &TAboutForm::la_website_2Click);
    connect(la_email_2, &LinkLabel::clicked, this, &TAboutForm::la_email_2Click);
}

void TAboutForm::open() {
    if (!placed_) {
        centre(Anchor::ClientArea);
        placed_ = true;
    }
    bringForward();
}

void TAboutForm::la_website_2Click() {
    openLink(websiteLink());
    hide();
}

void TAboutForm::la_email_2Click() {
    openLink(emailLink());
    hide();
}

void TAboutForm::leave() {
    hide();
}

} // namespace dialogs
