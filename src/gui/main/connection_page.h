#pragma once
// The Connection tab of the DMM page (Picture1 item 1): the instruction
// records attached to grid columns, as the procedure will use them, read
// only. They are attached with the column headers' buttons. The table is
// filled while the page is on show: a change made while it is hidden fills
// it when it is shown again (234 records of eight lines take a while to lay
// out, and opening a file or an undo step should not wait for a hidden
// page).
#include "gui/document/document.h"

#include <QWidget>

class QTableWidget;

namespace kestrel::gui {

class ConnectionPage : public QWidget {
    Q_OBJECT

public:
    ConnectionPage(Document& document, QWidget* parent);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void refresh();

    Document& document_;
    QTableWidget* table_;
    bool stale_ = true;
};

} // namespace kestrel::gui
