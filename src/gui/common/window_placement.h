#pragma once
// The help and accuracy-file viewers open where the user last left either
// of them: position and size in twips, per user, under "HelpSettings".

class QWidget;

namespace kestrel::gui {

// Moves and sizes window from the settings, kept within a screen. Without
// a kept place: the default place, at least fullLineWidth wide.
void restoreHelpPlacement(QWidget* window, int fullLineWidth);
void saveHelpPlacement(const QWidget* window);

} // namespace kestrel::gui
