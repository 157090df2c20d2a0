#pragma once

#include <QString>
#include <QUrl>

namespace dialogs {

// The author's addresses, as every dialog shows and opens them.
QUrl websiteLink();
QUrl emailLink();
QUrl donationLink();

// How a link reads in a dialog: its address without the scheme.
QString linkText(const QUrl& link);

// Hands the link to the desktop (browser or mail program). A failure is not reported: the
// user sees the address and can use it by hand.
void openLink(const QUrl& link);

} // namespace dialogs
