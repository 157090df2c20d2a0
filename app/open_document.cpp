#include "app/open_document.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace app {

void openDocument(const QString& bareName) {
    // A file URL, never a command line: no name can become a command.
    QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::current().absoluteFilePath(bareName)));
}

} // namespace app
