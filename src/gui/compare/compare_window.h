#pragma once
// frm_Compare: the specification on show beside another file. The two
// procedures they make (with the same date) stand side by side, aligned
// step by step with the changed lines marked, under them how many steps
// changed and which were only renumbered; below them the inputs that
// differ, one row each (key path, kind of change, before, after). Choosing
// a change of a grid cell or column asks for that cell (the column's first)
// to be shown in the main window.
#include "core/app/procedure_inputs.h"
#include "core/app/spec_diff.h"
#include "gui/document/document.h"

#include <QDialog>
#include <QString>

#include <vector>

class QLabel;
class QTableWidget;

namespace kestrel::gui {

class SideBySidePanes;

// One side of the comparison: the name shown for it and its inputs.
struct ComparedSpecification {
    QString name;
    ProcedureInputs inputs;
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

signals:
    // A change of a grid cell was chosen (clicked, or Enter on its row).
    void cellChosen(kestrel::MeterCell cell);

private:
    void fillChanges(const Document& document);
    void fillProcedureSummary(const TextLookup& texts);
    void choose(int row);

    SideBySidePanes* panes_;
    QLabel* summary_;
    QLabel* procedureSummary_;
    QTableWidget* changeList_;
    std::vector<SpecChange> changes_;
};

// Compares the document's inputs as they are now with the file at path,
// both dated today: shows a CompareWindow (deleted when closed) and returns
// it, or reports why the file could not be opened and returns nullptr.
CompareWindow* openCompareWindow(Document& document, const QString& path, QWidget* parent);

} // namespace kestrel::gui
