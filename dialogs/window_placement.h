#pragma once

class QWidget;

namespace dialogs {

// Moves a dialog to the middle of the primary screen; one larger than the screen keeps its
// top-left corner on it.
void centreOnPrimaryScreen(QWidget& dialog);

} // namespace dialogs
