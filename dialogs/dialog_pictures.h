#pragma once

#include <QImage>
#include <QString>

namespace dialogs {

// A picture built into the program for the dialogs, by its file name ("play.png"); a null
// image when there is none by that name or it does not decode.
QImage dialogPicture(const QString& fileName);

} // namespace dialogs
