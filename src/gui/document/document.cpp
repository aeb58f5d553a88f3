#include "gui/document/document.h"

#include "core/app/create.h"
#include "core/app/kestrel_settings.h"
#include "core/app/open_spec_file.h"
#include "core/app/spec_file.h"
#include "core/app/standard_override.h"
#include "core/base/atomic_file.h"
#include "core/base/profile_file.h"
#include "core/i18n/text_numbers.h"
#include "core/i18n/text_snapshot.h"
#include "core/spec/cell_block.h"
#include "core/spec/grid_rules.h"
#include "gui/common/file_paths.h"
#include "gui/common/window_texts.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace kestrel::gui {

Document::Document(std::unique_ptr<Session> session, QObject* parent) : QObject(parent), session_(std::move(session))
{
    connect(&undo_, &QUndoStack::cleanChanged, this, [this] { announceModified(); });
    // Any change may lengthen or shorten a field (a reduced test point
    // depends on the standard, a nominal on its cell); only the function on
    // show and the bold sample button change nothing the marks read.
    marksDue_.setSingleShot(true);
    marksDue_.setInterval(0);
    connect(&marksDue_, &QTimer::timeout, this, &Document::workOutMarks);
    connect(this, &Document::changed, this, [this](Parts parts) {
        if (parts & ~(Parts(Part::Function) | Part::Sample))
            marksDue_.start();
    });
    marksDue_.start();
}

std::shared_ptr<const TextSnapshot> Document::textSnapshot() const
{
    return std::make_shared<const TextSnapshot>(session_->texts);
}

void Document::workOutMarks()
{
    // Both pages, whichever is on show: the grid and the Scopes page each
    // mark their own inputs.
    auto inputs = std::make_shared<ProcedureInputs>(session_->inputs);
    // The job reads only its copies; its delivery, on this thread, stores.
    marksWorker_.post([this, inputs, texts = textSnapshot()]() -> BackgroundWorker::Delivery {
        auto marks = std::make_shared<Marks>();
        inputs->page = Page::Meter;
        marks->overflows = kestrel::fieldOverflows(*inputs, *texts);
        inputs->page = Page::Scope;
        for (FieldOverflow& overflow : kestrel::fieldOverflows(*inputs, *texts))
            marks->overflows.push_back(std::move(overflow));
        std::optional<Coverage> made = coverage(*inputs, inputs->selections.reference);
        marks->chosen = made ? std::move(*made) : Coverage{};
        return [this, marks] {
            marks_ = std::move(*marks);
            emit marksChanged();
        };
    });
}

QString Document::cellCoverage(MeterFunction function, int column) const
{
    const Coverage& chosen = chosenCoverage();
    const TestPoint* point = chosen.pointAt(function, column);
    return point ? QString::fromStdString(describePoint(*point, chosen.standard, texts(), decimalSeparator()))
                 : QString();
}

namespace {

// One line per text too long for its field.
QString overflowLines(
    const FieldOverflows& overflows, const TextLookup& texts, const std::function<bool(const FieldOverflow&)>& wanted)
{
    QStringList lines;
    for (const FieldOverflow& overflow : overflows)
        if (wanted(overflow))
            lines << QString::fromStdString(describeOverflow(overflow));
    if (lines.isEmpty())
        return {};
    lines << textOf(texts, kTextNextFieldOverwritten);
    return lines.join(QLatin1Char('\n'));
}

} // namespace

QString Document::cellOverflows(MeterFunction function, int row, int column) const
{
    const std::string_view code = functionInfo(function).code;
    return overflowLines(fieldOverflows(), texts(), [&](const FieldOverflow& overflow) {
        return overflow.column == column && overflow.function == code && overflowRow(overflow) == row;
    });
}

QString Document::inputOverflows(std::string_view input) const
{
    return overflowLines(fieldOverflows(), texts(),
        [&](const FieldOverflow& overflow) { return overflow.column < 0 && overflow.input == input; });
}

Document::~Document() = default;

QString Document::text(int number) const { return textOf(session_->texts, number); }

QString Document::labelText(int number) const
{
    return QString::fromStdString(walkLabelCaption(textWalk_, number, walkTexts(textWalk_, session_->texts)));
}

void Document::setCurrentFunction(MeterFunction function)
{
    if (function == view_.function)
        return;
    view_.function = function;
    emit changed(Part::Function);
}

void Document::recordWizardColumn(int column)
{
    currentColumn_ = column;
    wizardCaption_ = kestrel::wizardCaption(currentTable(), view_.function, column, session_->texts);
}

// ---- cells ----

void Document::setCell(int row, int column, const std::string& text)
{
    const std::string& before = currentTable().cell(row, column);
    if (before == text)
        return;
    setCells(Document::text(kTextUndoEditCell), {{row, column, before, text}});
}

void Document::setCells(const QString& label, const std::vector<CellChange>& changes)
{
    std::vector<CellChange> real;
    for (const auto& change : changes)
        if (change.before != change.after)
            real.push_back(change);
    if (real.empty())
        return;
    undo_.push(new CellsCommand([this](MeterFunction f, const std::vector<CellChange>& changes,
                                    bool forward) { applyCells(f, changes, forward); },
        view_.function, std::move(real), label));
}

void Document::applyCells(MeterFunction function, const std::vector<CellChange>& changes, bool forward)
{
    SpecTable& table = session_->inputs.meter.table(function);
    for (const auto& change : changes)
        table.setCell(change.row, change.column, forward ? change.after : change.before);
    Parts parts = Part::Cells;
    if (function != view_.function) {
        // Undo shows the table it changes.
        view_.function = function;
        parts |= Part::Function;
    }
    emit changed(parts);
}

bool Document::paste(int row, int column, const std::string& block)
{
    const PasteCheck check = checkCellBlock(view_.function, row, column, block, decimalSeparator());
    if (check.outcome == PasteCheck::Outcome::Empty)
        return false;
    if (check.outcome != PasteCheck::Outcome::Accepted) {
        sink().inform(pasteRefusal(check, view_.function, session_->texts), MessageIcon::Exclamation);
        return false;
    }
    std::vector<CellChange> changes;
    for (const auto& cell : check.cells)
        changes.push_back({cell.row, cell.column, currentTable().cell(cell.row, cell.column), cell.text});
    setCells(text(kTextUndoPaste), changes);
    return true;
}

// ---- grid commands ----

SpecSnapshot Document::snapshot() const
{
    const ProcedureInputs& in = inputs();
    return {
        in.meter, in.connections, in.selections, in.identity.name, in.identity.comments, in.options.autoranging, view_};
}

void Document::restore(const SpecSnapshot& s)
{
    ProcedureInputs& in = session_->inputs;
    in.meter = s.meter;
    in.connections = s.connections;
    in.selections = s.selections;
    in.identity.name = s.procName;
    in.identity.comments = s.comments;
    in.options.autoranging = s.autoranging;
    view_ = s.view;
    emit changed(kAllParts);
}

bool Document::snapshotEdit(const QString& label, const std::function<bool(ProcedureInputs&)>& edit, Parts parts)
{
    SpecSnapshot before = snapshot();
    if (!edit(session_->inputs))
        return false;
    undo_.push(new SnapshotCommand(
        [this](const SpecSnapshot& state) { restore(state); }, std::move(before), snapshot(), label));
    emit changed(parts);
    return true;
}

bool Document::editTable(const QString& label, const std::function<bool(SpecTable&)>& edit)
{
    return snapshotEdit(
        label, [&](ProcedureInputs& in) { return edit(in.meter.table(view_.function)); }, Part::Cells);
}

bool Document::insertColumn(int column)
{
    return editTable(text(kTextUndoInsertColumn), [&](SpecTable& t) { return kestrel::insertColumn(t, column); });
}

bool Document::deleteColumn(int column)
{
    return editTable(text(kTextUndoDeleteColumn),
        [&](SpecTable& t) { return kestrel::deleteColumn(t, view_.function, column, sink(), texts()); });
}

bool Document::copyColumn(int column)
{
    return editTable(text(kTextUndoCopyColumn), [&](SpecTable& t) { return kestrel::copyColumn(t, column); });
}

bool Document::duplicateRange(int column)
{
    return editTable(text(kTextUndoMultiplyColumn), [&](SpecTable& t) { return kestrel::duplicateRange(t, column); });
}

bool Document::clearSpecification(ClearScope scope)
{
    return snapshotEdit(
        text(scope == ClearScope::All ? kTextUndoClearAll : kTextUndoClearCurrentMode),
        [&](ProcedureInputs& in) { return kestrel::clearSpecification(in, view_, scope, sink(), texts()); }, kAllParts);
}

void Document::loadSample(int index)
{
    snapshotEdit(
        text(kTextUndoLoadSample),
        [&](ProcedureInputs& in) { return kestrel::loadSample(index, in, view_, session_->texts); }, kAllParts);
}

void Document::setConnections(const ConnectionStore& records)
{
    snapshotEdit(
        text(kTextUndoEditInstructions),
        [&](ProcedureInputs& in) {
            if (in.connections == records)
                return false;
            in.connections = records;
            return true;
        },
        Part::Connections);
}

// ---- options ----

void Document::markChanged()
{
    changedOutsideUndo_ = true;
    announceModified();
}

void Document::announceModified()
{
    const bool modified = isModified();
    if (modified == lastModified_)
        return;
    lastModified_ = modified;
    emit modifiedChanged(modified);
}

void Document::editIdentity(const std::function<void(ProcedureIdentity&)>& edit)
{
    ProcedureIdentity identity = inputs().identity;
    edit(identity);
    if (identity == inputs().identity)
        return;
    session_->inputs.identity = std::move(identity);
    markChanged();
    emit changed(Part::Identity);
}

void Document::editOptions(const std::function<void(ProcedureOptions&)>& edit)
{
    ProcedureOptions options = inputs().options;
    edit(options);
    if (options == inputs().options)
        return;
    session_->inputs.options = options;
    markChanged();
    emit changed(Part::Options);
}

void Document::editScope(const std::function<void(ScopeInputs&)>& edit)
{
    ScopeInputs scope = inputs().scope;
    edit(scope);
    if (scope == inputs().scope)
        return;
    session_->inputs.scope = std::move(scope);
    markChanged();
    emit changed(Part::Scope);
}

void Document::selectReference(const std::string& referenceText)
{
    if (referenceText == inputs().selections.reference)
        return;
    kestrel::selectReference(session_->inputs.selections, referenceText);
    markChanged();
    emit changed(Part::Selections);
}

bool Document::chooseStandard(const std::string& name)
{
    return snapshotEdit(
        text(kTextUndoChooseStandard),
        [&](ProcedureInputs& in) {
            const MeterSelections before = in.selections;
            return overrideMeterStandard(in.selections, name) && in.selections != before;
        },
        Part::Selections);
}

void Document::selectListText(std::string MeterSelections::*list, const std::string& text)
{
    std::string& selected = session_->inputs.selections.*list;
    if (selected == text)
        return;
    selected = text;
    markChanged();
    emit changed(Part::Selections);
}

void Document::selectTcType(const std::string& type) { selectListText(&MeterSelections::tcType, type); }
void Document::selectRtdType(const std::string& type) { selectListText(&MeterSelections::rtdType, type); }
void Document::selectTempScale(const std::string& scale) { selectListText(&MeterSelections::tempScale, scale); }

void Document::setPage(Page page)
{
    if (session_->inputs.page == page)
        return;
    session_->inputs.page = page;
    emit pageChanged();
}

ProcedureInputs Document::inputsDatedToday() const
{
    // The DATE line is the day Create runs.
    ProcedureInputs inputs = session_->inputs;
    inputs.headerDate = session_->headerDateToday();
    return inputs;
}

void Document::setTopMost(bool on)
{
    session_->settings.topMost = on;
    ProfileFile ini(session_->kestrelIniPath());
    writeTopMost(ini, on);
    emit topMostChanged(on);
}

void Document::setPaneShown(Pane pane, bool shown)
{
    session_->settings.paneShown[static_cast<std::size_t>(pane)] = shown;
    ProfileFile ini(session_->kestrelIniPath());
    writePaneShown(ini, pane, shown);
}

// ---- files ----

void Document::reportOpenFailure(const QString& path, const OpenedSpecFile& opened) const
{
    const std::string where = coreText(QDir::toNativeSeparators(path));
    sink().inform(
        (opened.failure == OpenFailure::Unreadable ? textWith(texts(), kTextCouldNotOpen, {where}) : where + ":") +
            "\r\n" + opened.reason,
        MessageIcon::Exclamation);
}

bool Document::open(const QString& path)
{
    // Opened as the command line opens it; the procedure keeps the date it had.
    OpenedSpecFile opened = openSpecFile(filesystemPath(path), *session_, session_->inputs.headerDate);
    if (!opened.inputs) {
        reportOpenFailure(path, opened);
        return false;
    }
    // Records that cannot be used are named, and the file opens as it is.
    std::string clashes;
    for (const InstructionClash& clash : opened.clashes)
        clashes += (clashes.empty() ? "" : "\r\n") + instructionClashText(clash, texts());
    session_->inputs = std::move(*opened.inputs);
    view_ = {openingFunction(session_->inputs.meter), -1};
    undo_.clear();
    changedOutsideUndo_ = false;
    filePath_ = QFileInfo(path).absoluteFilePath();
    emit changed(kAllParts);
    emit filePathChanged(filePath_);
    announceModified();
    if (!clashes.empty())
        sink().inform(clashes, MessageIcon::Exclamation);
    return true;
}

bool Document::saveAs(const QString& path)
{
    const std::string couldNotSave = textWith(texts(), kTextCouldNotSave, {coreText(QDir::toNativeSeparators(path))});
    const std::string content = writeSpecFile(inputs());
    // Read back with the reader's own rules before the file is replaced: a
    // file Open refuses would lose the whole specification.
    if (const std::string problem = writtenSpecFileProblem(content, decimalSeparator()); !problem.empty()) {
        sink().inform(
            couldNotSave + "\r\n" + textWith(texts(), kTextSaveWouldNotOpen, {problem}), MessageIcon::Exclamation);
        return false;
    }
    std::string error;
    if (!writeFileAtomically(filesystemPath(path), content, error)) {
        sink().inform(couldNotSave + "\r\n" + error, MessageIcon::Exclamation);
        return false;
    }
    filePath_ = QFileInfo(path).absoluteFilePath();
    undo_.setClean();
    changedOutsideUndo_ = false;
    emit filePathChanged(filePath_);
    announceModified();
    return true;
}

void Document::shutDown()
{
    // A failed save of the settings is said before the window closes: the
    // user may still free the disk or copy what they typed.
    kestrel::shutDown(*session_, &sink());
}

} // namespace kestrel::gui
