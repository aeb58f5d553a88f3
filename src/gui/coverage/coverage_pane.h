#pragma once
// "Calibrator Coverage" beside the pages: for every meter standard, what
// its procedure would do with the test points of the grid, the chosen
// standard's row marked. Moving through the table only reads it; Enter,
// Space, a double click or a screen reader's selection of a row chooses
// that standard as one undo step. On the Scopes page a note that the
// coverage is the DMM page's takes the table's place.
//
// The counts are made again after the document changes, on a thread of
// their own from a copy of the inputs (twelve procedures: the window never
// waits for them, and a newer change drops an older count); while the pane
// is hidden nothing is made.
#include "gui/common/background_worker.h"
#include "gui/common/side_pane.h"

#include <QTimer>

class QLabel;
class QTableView;

namespace kestrel::gui {

class CoverageTableModel;
class Document;

class CoveragePane : public SidePane {
    Q_OBJECT
public:
    explicit CoveragePane(Document& document, QWidget* parent = nullptr);

    QTableView* table() const { return table_; }
    CoverageTableModel* model() const { return model_; }
    // The height that shows every row of the table without scrolling.
    int wholeTableHeight() const;
    // Starts the counts at once, without waiting for the pass's other
    // changes; they are shown when made.
    void recountNow();
    // The headings after a walk of the texts.
    void relabel();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void documentChanged();
    // The table's current row follows the chosen standard.
    void showChosen();
    // The table on the DMM page, the note on the Scopes page.
    void showPage();
    void rowChosen(int row);
    // Each column as wide as its counts and its heading, a long heading cut
    // short.
    void fitColumns();

    Document& document_;
    QTableView* table_;
    QLabel* scopeNote_;
    CoverageTableModel* model_;
    // The changes of one pass of the event loop make one count.
    QTimer pause_;
    BackgroundWorker worker_;
    bool stale_ = true;
};

} // namespace kestrel::gui
