#include "gui/document/undo_commands.h"

namespace kestrel::gui {

CellsCommand::CellsCommand(Apply apply, MeterFunction function, std::vector<CellChange> changes, const QString& label)
    : QUndoCommand(label), apply_(std::move(apply)), function_(function), changes_(std::move(changes))
{
}

void CellsCommand::undo() { apply_(function_, changes_, false); }
void CellsCommand::redo() { apply_(function_, changes_, true); }

SnapshotCommand::SnapshotCommand(Restore restore, SpecSnapshot before, SpecSnapshot after, const QString& label)
    : QUndoCommand(label), restore_(std::move(restore)), before_(std::move(before)), after_(std::move(after))
{
}

void SnapshotCommand::undo() { restore_(before_); }

void SnapshotCommand::redo()
{
    if (done_) {
        done_ = false;
        return;
    }
    restore_(after_);
}

} // namespace kestrel::gui
