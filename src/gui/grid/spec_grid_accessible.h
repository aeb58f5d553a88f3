#pragma once
// MeterSpecGrid as a screen reader sees it: Qt's own table, whose column
// headers also offer the press action of their picture buttons (the
// connection wizard for that column). Everything else - the cells, their
// row and column headers, the focus and selection - is Qt's table, asked
// through.
class QAccessibleInterface;
class QObject;
class QString;

namespace kestrel::gui {

// The accessibility factory of SpecGridView (QAccessible::installFactory).
QAccessibleInterface* specGridAccessibleInterface(const QString& className, QObject* object);

} // namespace kestrel::gui
