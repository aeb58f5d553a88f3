#pragma once
// The undo steps of the document: cell edits keep only the cells they
// changed; the grid commands, sample loading and instruction edits keep the
// specification as it was before and after.
#include "gui/document/document.h"

#include <QUndoCommand>

namespace kestrel::gui {

class CellsCommand : public QUndoCommand {
public:
    CellsCommand(Document& document, MeterFunction function, std::vector<CellChange> changes, const QString& label);
    void undo() override;
    void redo() override;

private:
    Document& document_;
    MeterFunction function_;
    std::vector<CellChange> changes_;
};

class SnapshotCommand : public QUndoCommand {
public:
    // The change has already been made: the first redo does nothing.
    SnapshotCommand(Document& document, SpecSnapshot before, SpecSnapshot after, const QString& label);
    void undo() override;
    void redo() override;

private:
    Document& document_;
    SpecSnapshot before_;
    SpecSnapshot after_;
    bool done_ = true;
};

} // namespace kestrel::gui
