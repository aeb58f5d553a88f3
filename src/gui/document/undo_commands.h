#pragma once
// The undo steps of the document: cell edits keep only the cells they
// changed; the grid commands, sample loading and instruction edits keep the
// specification as it was before and after. A step puts its state back
// through the routine the document gives it, so the steps know nothing of
// the document.
#include "core/spec/connection_store.h"
#include "core/spec/meter_inputs.h"
#include "core/spec/spec_table.h"
#include "core/spec/spec_view.h"

#include <QUndoCommand>

#include <functional>
#include <string>
#include <vector>

namespace kestrel::gui {

// The state an undo step restores when it replaces whole tables: what the
// grid commands, sample loading and the instruction editor change.
struct SpecSnapshot {
    MeterSpec meter;
    ConnectionStore connections;
    MeterSelections selections;
    std::string procName;
    std::string comments;
    bool autoranging = true;
    SpecView view;
};

struct CellChange {
    int row;
    int column;
    std::string before;
    std::string after;
};

class CellsCommand : public QUndoCommand {
public:
    // Applies the changes forward (redo) or backward (undo).
    using Apply = std::function<void(MeterFunction, const std::vector<CellChange>&, bool forward)>;
    CellsCommand(Apply apply, MeterFunction function, std::vector<CellChange> changes, const QString& label);
    void undo() override;
    void redo() override;

private:
    Apply apply_;
    MeterFunction function_;
    std::vector<CellChange> changes_;
};

class SnapshotCommand : public QUndoCommand {
public:
    using Restore = std::function<void(const SpecSnapshot&)>;
    // The change has already been made: the first redo does nothing.
    SnapshotCommand(Restore restore, SpecSnapshot before, SpecSnapshot after, const QString& label);
    void undo() override;
    void redo() override;

private:
    Restore restore_;
    SpecSnapshot before_;
    SpecSnapshot after_;
    bool done_ = true;
};

} // namespace kestrel::gui
