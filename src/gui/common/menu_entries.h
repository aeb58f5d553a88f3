#pragma once
// Menu entries and separators carry names like every other control, so
// handlers, walks and tests find them.
class QAction;
class QMenu;

namespace kestrel::gui {

QAction* addMenuEntry(QMenu* menu, const char* name, bool checkable = false);
QAction* addMenuSeparator(QMenu* menu, const char* name);

} // namespace kestrel::gui
