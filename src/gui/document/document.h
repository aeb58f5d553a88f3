#pragma once
// The document behind the main window: the session (its inputs are the
// specification being edited), the state only the window has (the function
// on show, the column whose header was clicked last, the wizard's caption,
// the first activation, the sample loaded last), the file it was read from
// or saved to, and the undo history. Every change goes through here and is
// announced, so the windows only bind controls to it; every rule is the
// core's.
#include "core/app/coverage.h"
#include "core/app/session.h"
#include "core/i18n/text_walks.h"
#include "core/procgen/step_fields.h"
#include "core/spec/column_commands.h"
#include "core/spec/samples.h"
#include "core/spec/spec_view.h"
#include "gui/common/background_worker.h"
#include "gui/document/undo_commands.h"

#include <QFlags>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QUndoStack>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kestrel {
struct OpenedSpecFile;
class TextSnapshot;
} // namespace kestrel

namespace kestrel::gui {

// What a change touched, so that each window refreshes only that.
enum class Part {
    Cells = 0x01,       // cells of any table
    Connections = 0x02, // instruction records (header pictures, the Connection page)
    Identity = 0x04,    // procedure name, author, revision, comments
    Options = 0x08,     // the Options/Misc page
    Selections = 0x10,  // Reference and the TC/RTD/scale lists
    Scope = 0x20,       // the Scopes page
    Function = 0x40,    // the function on show
    Sample = 0x80,      // which sample button is bold
};
Q_DECLARE_FLAGS(Parts, Part)
inline constexpr Parts kAllParts = Parts(0xFF);

class Document : public QObject {
    Q_OBJECT

public:
    explicit Document(std::unique_ptr<Session> session, QObject* parent = nullptr);
    ~Document() override;

    Session& session() { return *session_; }
    const Session& session() const { return *session_; }
    const ProcedureInputs& inputs() const { return session_->inputs; }
    const TextLookup& texts() const { return session_->texts; }
    MessageSink& sink() const { return session_->sink(); }
    // Gettext as a QString.
    QString text(int number) const;
    // What the main window shows: local texts, English texts or the text
    // numbers (never what Gettext answers or a procedure holds).
    TextWalk textWalk() const { return textWalk_; }
    void setTextWalk(TextWalk walk) { textWalk_ = walk; }
    // A label's caption as the last walk would show it (the grid's row
    // labels, which follow the function on show).
    QString labelText(int number) const;
    // The separator numbers are typed with ("." when the locale gave none).
    std::string decimalSeparator() const { return session_->locale.numberSeparator(); }

    // Window-only state.
    MeterFunction currentFunction() const { return view_.function; }
    const SpecTable& currentTable() const { return inputs().meter.table(view_.function); }
    int currentColumn() const { return currentColumn_; }
    const std::string& wizardCaption() const { return wizardCaption_; }
    bool firstActivate() const { return firstActivate_; }
    // The index into samples() of the sample loaded last, -1 for none.
    int loadedSample() const { return view_.sample; }

    void setCurrentFunction(MeterFunction function);
    // A column header's button: CurrentColumn and the caption the
    // connection wizard opens with.
    void recordWizardColumn(int column);
    // The wizard has closed, whatever the way.
    void clearWizardCaption() { wizardCaption_.clear(); }
    void finishFirstActivation() { firstActivate_ = false; }

    // Cell edits, one undo step each (a text already stored is no change).
    void setCell(int row, int column, const std::string& text);
    void setCells(const QString& label, const std::vector<CellChange>& changes);
    // A tab-separated block at (row, column) of the table on show: stored
    // whole, or refused with a message naming the first bad cell.
    bool paste(int row, int column, const std::string& block);

    // The grid commands on the table on show; each asks its question
    // through the message sink and is one undo step when it changes
    // anything. They return whether it did.
    bool insertColumn(int column);
    bool deleteColumn(int column);
    bool copyColumn(int column);
    bool duplicateRange(int column);
    bool clearSpecification(ClearScope scope);
    void loadSample(int index);
    // The instruction records as the connection wizard leaves them.
    void setConnections(const ConnectionStore& records);

    // Options, identity, lists and the Scopes page: no undo steps, but
    // the document counts as changed.
    void editIdentity(const std::function<void(ProcedureIdentity&)>& edit);
    void editOptions(const std::function<void(ProcedureOptions&)>& edit);
    void editScope(const std::function<void(ScopeInputs&)>& edit);
    // The `Reference` change: the TC and RTD lists are refilled for the new
    // standard.
    void selectReference(const std::string& referenceText);
    // Chooses a meter standard as one undo step (the coverage pane's rows):
    // a TC or RTD type the new standard lists stays chosen, as coverage
    // assumes. False when name is no meter standard or already chosen.
    bool chooseStandard(const std::string& name);
    void selectTcType(const std::string& type);
    void selectRtdType(const std::string& type);
    void selectTempScale(const std::string& scale);
    // The page Create reads: which tab of the main tab strip is on show.
    // Not a change of the document, but announced (pageChanged).
    void setPage(Page page);
    // What Create reads at this moment: the inputs, dated today.
    ProcedureInputs inputsDatedToday() const;

    // The texts as they stand now, for work on another thread.
    std::shared_ptr<const TextSnapshot> textSnapshot() const;

    // The marks the windows put on their inputs are worked out on a thread
    // of their own from a copy of the inputs, after each change, and stand
    // for the newest copy worked out; marksChanged() says when they change.
    // Until the first result they are empty.
    //
    // The texts the procedure would carry that are longer than their
    // fields (and so overwrite the field after them).
    const FieldOverflows& fieldOverflows() const { return marks_.overflows; }
    // What a grid cell of a function, or an input outside the grid (a
    // Scopes page field such as "vertical_accuracy", a header value such as
    // "name"), makes too long, for the user: one line per field ("" when
    // everything fits).
    QString cellOverflows(MeterFunction function, int row, int column) const;
    QString inputOverflows(std::string_view input) const;

    // What the chosen meter standard's procedure does with each test point
    // of the grid.
    const Coverage& chosenCoverage() const { return marks_.chosen; }
    // Why a column's point is not tested as specified by the chosen
    // standard, for the user ("" when it is, or the column has no point).
    QString cellCoverage(MeterFunction function, int column) const;

    // Window-only settings saved at exit.
    bool topMost() const { return session_->settings.topMost; }
    // Keeps the window on top or not and writes TopMost to Kestrel.INI.
    void setTopMost(bool on);
    // A pane's last choice (none before the user made one); setting it
    // writes the pane's key (PreviewShown, CoverageShown) to Kestrel.INI.
    std::optional<bool> paneShown(Pane pane) const
    {
        return session_->settings.paneShown[static_cast<std::size_t>(pane)];
    }
    void setPaneShown(Pane pane, bool shown);

    // Specification files.
    const QString& filePath() const { return filePath_; }
    bool isModified() const { return !undo_.isClean() || changedOutsideUndo_; }
    // Reads a file; an unreadable or invalid one is reported and changes nothing.
    bool open(const QString& path);
    // Says why the file at path could not be opened: "Could not open <1>:"
    // and the reason for an unreadable file, the reader's message (key path
    // first) for an invalid one.
    void reportOpenFailure(const QString& path, const OpenedSpecFile& opened) const;
    // Writes through the atomic writer; a failure is reported.
    bool saveAs(const QString& path);

    QUndoStack& undoStack() { return undo_; }

    // Save_Default_Values at the window's unload.
    void shutDown();

    // Undo steps put the state back through these.
    SpecSnapshot snapshot() const;
    void restore(const SpecSnapshot& snapshot);
    void applyCells(MeterFunction function, const std::vector<CellChange>& changes, bool forward);

signals:
    void changed(kestrel::gui::Parts parts);
    void modifiedChanged(bool modified);
    void filePathChanged(const QString& path);
    void topMostChanged(bool on);
    void pageChanged();
    // fieldOverflows() and chosenCoverage() hold a newer result.
    void marksChanged();

private:
    // Runs an edit of the whole specification as one undo step; the step
    // is kept only when the edit reports a change.
    bool snapshotEdit(const QString& label, const std::function<bool(ProcedureInputs&)>& edit, Parts parts);
    // The same for the table on show.
    bool editTable(const QString& label, const std::function<bool(SpecTable&)>& edit);
    void selectListText(std::string MeterSelections::*list, const std::string& text);
    void markChanged();
    void announceModified();
    // Hands a copy of the inputs to the marks' worker.
    void workOutMarks();

    struct Marks {
        FieldOverflows overflows;
        Coverage chosen;
    };

    std::unique_ptr<Session> session_;
    SpecView view_;
    int currentColumn_ = 0;
    std::string wizardCaption_;
    bool firstActivate_ = true;
    TextWalk textWalk_ = TextWalk::Local;

    Marks marks_;
    // The changes of one pass of the event loop make one job.
    QTimer marksDue_;
    BackgroundWorker marksWorker_;

    QString filePath_;
    bool changedOutsideUndo_ = false;
    bool lastModified_ = false;
    QUndoStack undo_;
};

} // namespace kestrel::gui

Q_DECLARE_OPERATORS_FOR_FLAGS(kestrel::gui::Parts)
