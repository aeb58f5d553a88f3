#include "gui/common/side_pane.h"

#include <QCloseEvent>

namespace kestrel::gui {

void SidePane::closeEvent(QCloseEvent* event)
{
    QDockWidget::closeEvent(event);
    if (event->isAccepted())
        emit closedByUser();
}

} // namespace kestrel::gui
