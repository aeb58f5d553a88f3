#include "gui/common/menu_entries.h"

#include <QAction>
#include <QMenu>

namespace kestrel::gui {

QAction* addMenuEntry(QMenu* menu, const char* name, bool checkable)
{
    auto* action = menu->addAction(QString());
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(checkable);
    return action;
}

QAction* addMenuSeparator(QMenu* menu, const char* name)
{
    QAction* action = menu->addSeparator();
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace kestrel::gui
