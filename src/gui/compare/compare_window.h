#pragma once
// frm_Compare: the specification on show beside another file. The two
// procedures they make (with the same date) stand side by side, aligned
// step by step with the changed lines marked, under them how many steps
// changed and which were only renumbered; below them the inputs that
// differ, one row each (key path, kind of change, before, after). Choosing
// a change of a grid cell or column asks for that cell (the column's first)
// to be shown in the main window, a change of any other input for the
// control that holds it. F7 and Shift+F7, or the two buttons below, go to
// the next and previous difference of the procedures; the status line
// says which it is. Export review (Ctrl+E) writes the review report of the
// two files, as kestrel-cli report writes it, as HTML or PDF.
#include "core/app/procedure_inputs.h"
#include "core/app/spec_diff.h"
#include "gui/compare/change_fields.h"
#include "gui/document/document.h"

#include <QDialog>
#include <QString>

#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace kestrel::gui {

class SideBySidePanes;
class StatusLine;

// One side of the comparison: the name shown for it, its inputs and the
// file they are, empty when they are no saved file (unsaved changes).
struct ComparedSpecification {
    QString name;
    ProcedureInputs inputs;
    QString path;
};

class CompareWindow : public QDialog {
    Q_OBJECT

public:
    // Builds the procedures of both with the document's texts; a generator's
    // messages go to the document's sink.
    CompareWindow(const Document& document, const ComparedSpecification& left, const ComparedSpecification& right,
        QWidget* parent);

    SideBySidePanes* panes() const { return panes_; }
    QTableWidget* changeList() const { return changeList_; }
    QLabel* procedureSummary() const { return procedureSummary_; }
    const std::vector<SpecChange>& changes() const { return changes_; }

    // Asks where, then writes the review report of the two files there.
    void exportReview();
    // Writes the review report of the two files to path (a PDF when its
    // name ends in ".pdf"); says in a message box what went wrong.
    bool exportReviewTo(const QString& path);

signals:
    // A change of a grid cell was chosen (clicked, or Enter on its row).
    void cellChosen(kestrel::MeterCell cell);
    // A change of any other input was chosen: the control that shows it.
    void fieldChosen(const kestrel::gui::ChangeField& field);

private:
    void fillChanges(const Document& document);
    void fillProcedureSummary(const TextLookup& texts);
    void choose(int row);
    // The next (1) or previous (-1) difference of the procedures.
    void goToDifference(int step);

    SideBySidePanes* panes_;
    QLabel* summary_;
    QLabel* procedureSummary_;
    QTableWidget* changeList_;
    StatusLine* statusLine_;
    std::vector<SpecChange> changes_;
    const Document& document_;
    const TextLookup& texts_;
    QString leftPath_, rightPath_;
};

// Compares the document's inputs as they are now with the file at path,
// both dated today: shows a CompareWindow (deleted when closed) and returns
// it, or reports why the file could not be opened and returns nullptr.
CompareWindow* openCompareWindow(Document& document, const QString& path, QWidget* parent);

} // namespace kestrel::gui
