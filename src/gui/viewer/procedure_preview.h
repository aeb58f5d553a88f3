#pragma once
// The procedure preview beside the pages: the procedure Create would make
// at this moment, dated today, with the viewer's keyword highlighting,
// read-only in the procedure font. It follows every change the document
// announces and, when the window gives it one, the cell being typed as if
// it were stored (computed from a copy of the inputs; the document is
// never touched).
//
// Changes are gathered on a 0 ms timer, so that the changes of one pass of
// the event loop make one update. The procedure is made on a thread of its
// own from a copy of the inputs (the window never waits for it; a newer
// change drops an older result); a text equal to the one shown changes
// nothing on the screen, and a new one replaces only the lines that differ,
// so the scroll position stays. While the pane is hidden nothing is made.
//
// The pane knows where each line came from (the generators' line sources):
// the grid column on show has its lines marked, and a double-click or
// Enter on a step names the grid column it was made from.
#include "core/procgen/line_sources.h"
#include "core/spec/meter_function.h"

#include "gui/common/background_worker.h"
#include "gui/common/side_pane.h"

#include <QTimer>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QPlainTextEdit;

namespace kestrel::gui {

class Document;

// A cell being typed, as storing it would leave it.
struct TypedCell {
    MeterFunction function;
    int row = 0;
    int column = 0;
    std::string text;
};

class ProcedurePreview : public SidePane {
    Q_OBJECT
public:
    using TypedCellSource = std::function<std::optional<TypedCell>()>;

    explicit ProcedurePreview(Document& document, QWidget* parent = nullptr);

    // Where the cell being typed is asked for at each update.
    void setTypedCellSource(TypedCellSource source) { typedCell_ = std::move(source); }
    // An update at the next pass of the event loop.
    void refresh();

    QPlainTextEdit* textBox() const { return text_; }
    // The procedure shown, lines ended by CR LF: what Ctrl+Create copies.
    QString text() const;
    // How many times the text on the screen was replaced.
    int replacements() const { return replacements_; }
    // Whether the text shown is the newest asked for: no update waits and
    // no procedure is being made.
    bool upToDate() const;
    // Where each line shown came from.
    const LineSources& sources() const { return sources_; }

    // Marks the lines made from a grid column of the meter page (none:
    // no marks) and, when the column is another than before, scrolls the
    // first of them into sight. The marks follow every update.
    void markColumn(std::optional<MeterFunction> function, int column);
    // The lines marked now, 0-based.
    std::vector<int> markedLines() const;

signals:
    // A step made from a grid column was double-clicked or chosen with
    // Enter; column is 0 for a function's heading lines.
    void stepChosen(kestrel::MeterFunction function, int column);
    // A newly made procedure has been compared with the one shown (and
    // shown when it differs).
    void updated();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct MarkedColumn {
        MeterFunction function;
        int column;
        bool operator==(const MarkedColumn&) const = default;
    };

    // What the worker makes: the text, its line sources, the placeholder.
    struct Made {
        QString shown;
        LineSources sources;
        QString hint;
    };

    void regenerate();
    void showMade(Made made);
    void display(const QString& shown);
    void applyMarks(bool scroll);
    // The line's step, if it was made from the meter grid.
    void chooseLine(int line);

    Document& document_;
    TypedCellSource typedCell_;
    QPlainTextEdit* text_;
    QTimer coalesce_;
    BackgroundWorker worker_;
    QString shown_; // lines ended by LF, as the text box holds them
    LineSources sources_;
    std::optional<MarkedColumn> marked_;
    int replacements_ = 0;
};

} // namespace kestrel::gui
