#include "dialogs/about_form.h"

#include <QLabel>

#include <string_view>
#include <tuple>
#include <utility>

#include "dialogs/about_text.h"
#include "dialogs/dialog_pictures.h"
#include "dialogs/link_label.h"
#include "dialogs/links.h"

namespace dialogs {
namespace {

constexpr int kWidth = 397;
constexpr int kHeight = 176;
constexpr int kCaptionLeft = 132;
constexpr int kValueLeft = 212;

QString text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// Labels fit their text, growing right and down from the given corner.
template <typename Label> Label* placed(Label* label, std::string_view name, int left, int top) {
    label->setObjectName(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    label->move(left, top);
    label->adjustSize();
    return label;
}

QLabel* detailLabel(QWidget* parent, std::string_view name, int left, int top, const QString& text,
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

// The rows lie 24 pixels apart from the top margin.
int rowTop(std::size_t row) {
    return 8 + 24 * static_cast<int>(row);
}

QLabel* caption(QWidget* parent, std::string_view name, std::size_t row, std::string_view words) {
    return detailLabel(parent, name, kCaptionLeft, rowTop(row), text(words), false);
}

// A detail row's caption and value.
std::pair<QLabel*, QLabel*> detail(QWidget* parent, std::size_t row) {
    const AboutDetail& d = kAboutDetails[row];
    return {
        caption(parent, d.captionName, row, d.caption),
        detailLabel(parent, d.valueName, kValueLeft, rowTop(row), text(d.value), true, d.italic)};
}

} // namespace

// It has a close box and stays above every other window.
TAboutForm::TAboutForm(QWidget* parent)
    : DialogFrame({QStringLiteral("AboutForm"), text(kAboutTitle), QSize(kWidth, kHeight),
                   kDialogBlue, kAboutKeys, Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint},
                  parent) {
    im_picture = new QLabel(this);
    im_picture->setObjectName(QStringLiteral("im_picture"));
    im_picture->setGeometry(8, 8, 116, 160);
    im_picture->setPixmap(QPixmap::fromImage(dialogPicture(QStringLiteral("about.png"))));

    std::tie(la_name_1, la_name_2) = detail(this, 0);
    std::tie(la_birthplace_1, la_birthplace_2) = detail(this, 1);
    std::tie(la_birthdate_1, la_birthdate_2) = detail(this, 2);
    std::tie(la_job_1, la_job_2) = detail(this, 3);
    std::tie(la_hobby_1, la_hobby_2) = detail(this, 4);

    const QColor linkColour(Qt::yellow);
    const auto link = [&](std::size_t i, QLabel*& label, LinkLabel*& value) {
        const AboutLink& l = kAboutLinks[i];
        const std::size_t row = kAboutDetails.size() + i;
        label = caption(this, l.captionName, row, l.caption);
        value = placed(new LinkLabel(text(addressText(l.address)), linkColour, this), l.linkName,
                       kValueLeft, rowTop(row));
    };
    link(0, la_website_1, la_website_2);
    link(1, la_email_1, la_email_2);
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
