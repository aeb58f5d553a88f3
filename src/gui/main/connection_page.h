#pragma once
// The Connection tab of the DMM page (Picture1 item 1): the instruction
// records attached to grid columns, as the procedure will use them, read
// only. They are attached with the column headers' buttons.
#include "gui/document/document.h"

#include <QWidget>

class QTableWidget;

namespace kestrel::gui {

class ConnectionPage : public QWidget {
    Q_OBJECT

public:
    ConnectionPage(Document& document, QWidget* parent);

private:
    void refresh();

    Document& document_;
    QTableWidget* table_;
};

} // namespace kestrel::gui
