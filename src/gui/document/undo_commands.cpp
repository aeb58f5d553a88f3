#include "gui/document/undo_commands.h"

namespace kestrel::gui {

CellsCommand::CellsCommand(
    Document& document, MeterFunction function, std::vector<CellChange> changes, const QString& label)
    : QUndoCommand(label), document_(document), function_(function), changes_(std::move(changes))
{
}

void CellsCommand::undo() { document_.applyCells(function_, changes_, false); }
void CellsCommand::redo() { document_.applyCells(function_, changes_, true); }

SnapshotCommand::SnapshotCommand(Document& document, SpecSnapshot before, SpecSnapshot after, const QString& label)
    : QUndoCommand(label), document_(document), before_(std::move(before)), after_(std::move(after))
{
}

void SnapshotCommand::undo() { document_.restore(before_); }

void SnapshotCommand::redo()
{
    if (done_) {
        done_ = false;
        return;
    }
    document_.restore(after_);
}

} // namespace kestrel::gui
