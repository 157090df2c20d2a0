#include "dialogs/links.h"

#include <QDesktopServices>

namespace dialogs {

QUrl websiteLink() {
    return QUrl(QStringLiteral("https://zemblor.example.org/sim/"));
}

QUrl emailLink() {
    return QUrl(QStringLiteral("mailto:team@zemblor.example.org"));
}

QUrl donationLink() {
    return QUrl(QStringLiteral("https://donate.example.net/zemblor"));
}

QString linkText(const QUrl& link) {
    QString text = link.toString(QUrl::RemoveScheme);
    // A web address keeps "//" after its scheme; a mail address has none.
    if (text.startsWith(QStringLiteral("//"))) {
        text.remove(0, 2);
    }
    return text;
}

void openLink(const QUrl& link) {
    QDesktopServices::openUrl(link);
}

} // namespace dialogs
