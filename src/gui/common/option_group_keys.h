#pragma once
// Option buttons that are one choice behave as in other desktop programs:
// Tab and Shift+Tab enter the group at the chosen button (the first, when
// none is chosen yet), and the arrow keys choose the next or previous
// button (wrapping round) with the focus, so every arrow is heard as a new
// choice. Qt on its own lets Tab stop at the first button whatever is
// chosen, and moves only the focus when the focused button is not chosen.
#include <QList>

class QAbstractButton;

namespace kestrel::gui {

// `options` in their order on the screen.
void makeOneChoice(const QList<QAbstractButton*>& options);

} // namespace kestrel::gui
