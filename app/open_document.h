#pragma once

#include <QString>

namespace app {

// Opens one of the program's documents ("Readme.txt", "Whatsnew.txt", "Config.ini") by its
// bare name in the working directory, with the desktop's handler for its type. Nothing is
// reported when there is no such file or no handler.
void openDocument(const QString& bareName);

} // namespace app
