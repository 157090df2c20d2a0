#include "dialogs/links.h"

#include <QDesktopServices>

#include "dialogs/link_addresses.h"

namespace dialogs {
namespace {

QUrl linkTo(std::string_view address) {
    return QUrl(QString::fromUtf8(address.data(), static_cast<qsizetype>(address.size())));
}

} // namespace

QUrl websiteLink() {
    return linkTo(kWebsiteAddress);
}

QUrl emailLink() {
    return linkTo(kEmailAddress);
}

QUrl donationLink() {
    return linkTo(kDonationAddress);
}

QString linkText(const QUrl& link) {
    return QString::fromStdString(addressText(link.toString().toStdString()));
}

void openLink(const QUrl& link) {
    QDesktopServices::openUrl(link);
}

} // namespace dialogs
