#pragma once
// What a screen reader hears as a control's name: its accessible
// interface's name, which for a label is the text it shows unless the
// label is named otherwise.
#include <QAccessible>
#include <QString>
#include <QWidget>

namespace kestrel::test {

inline QString heardName(QWidget* control)
{
    QAccessibleInterface* accessible = control ? QAccessible::queryAccessibleInterface(control) : nullptr;
    return accessible ? accessible->text(QAccessible::Name) : QString();
}

} // namespace kestrel::test
