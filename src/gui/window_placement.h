#pragma once
// The help and accuracy-file viewers open where the user last left either
// of them: position and size in twips, per user, under "HelpSettings".

class QWidget;

namespace kestrel::gui {

// Moves and sizes window from the settings (defaults when absent), kept on
// a screen.
void restoreHelpPlacement(QWidget* window);
void saveHelpPlacement(const QWidget* window);

} // namespace kestrel::gui
