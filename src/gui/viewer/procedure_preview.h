#pragma once
// The procedure preview beside the pages: the procedure Create would make
// at this moment, dated today, with the viewer's keyword highlighting,
// read-only in the procedure font. It follows every change the document
// announces and, when the window gives it one, the cell being typed as if
// it were stored (computed from a copy of the inputs; the document is
// never touched).
//
// Changes are gathered on a 0 ms timer, so that the changes of one pass of
// the event loop make one update; a text equal to the one shown changes
// nothing on the screen, and a new one replaces only the lines that differ,
// so the scroll position stays. While the pane is hidden nothing is made.
#include "core/spec/meter_function.h"

#include <QDockWidget>
#include <QTimer>

#include <functional>
#include <optional>
#include <string>

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

class ProcedurePreview : public QDockWidget {
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

signals:
    // The title bar's close button.
    void closedByUser();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void regenerate();
    void display(const QString& shown);

    Document& document_;
    TypedCellSource typedCell_;
    QPlainTextEdit* text_;
    QTimer coalesce_;
    QString shown_; // lines ended by LF, as the text box holds them
    int replacements_ = 0;
};

} // namespace kestrel::gui
