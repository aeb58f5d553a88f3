#pragma once
// A pane docked beside the pages that the user shows and hides from the
// window's menu: its title bar's close button hides it as the menu entry
// would, and says so, so that the entry and Kestrel.INI follow.
#include <QDockWidget>

namespace kestrel::gui {

class SidePane : public QDockWidget {
    Q_OBJECT
public:
    using QDockWidget::QDockWidget;

signals:
    void closedByUser();

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace kestrel::gui
