#pragma once
// MeterSpecGrid: the meter specification grid. Its cell editor passes every
// typed key through the core's key filter under the locale's decimal
// separator and checks the text when it is committed ("Invalid data format"
// keeps the editor open with its text); Delete empties the selected cells;
// Ctrl+C and Ctrl+V exchange tab-separated blocks with spreadsheets. Each
// column header carries a button with the picture of what is attached to
// the column; Alt+Enter opens the same wizard for the current column. The
// row headers name the rows.
#include "gui/document/document.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>

#include <optional>
#include <vector>

namespace kestrel::gui {

class SpecTableModel;

class SpecCellEditor : public QLineEdit {
    Q_OBJECT

public:
    SpecCellEditor(const Document& document, const QModelIndex& index, QWidget* parent);
    const QPersistentModelIndex& index() const { return index_; }
    // Types a text key by key through the filter, as the keyboard does.
    void typeText(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    const Document& document_;
    QPersistentModelIndex index_;
};

class SpecCellDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    SpecCellDelegate(const Document& document, QObject* parent);
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // The cell, and the corner mark of a point the chosen standard does not
    // test as specified.
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    // The commit check has passed: "0" is stored as an empty cell.
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    SpecCellEditor* openEditor() const { return editor_; }

signals:
    // The open editor's text changed, by a key or by the program.
    void editorTextChanged();
    // Enter (either key) in an editor: the view stores the cell and moves
    // down, before the next key is handled.
    void enterPressed(QWidget* editor);
    // Alt+Enter in an editor: the wizard of the editor's column.
    void wizardKeyPressed(QWidget* editor);

protected:
    // Enter is the view's, at once. Qt would store the cell only after the
    // keys already queued (typed ahead while the window was busy): a digit
    // would join the text of the cell being left, an arrow would be undone
    // by the move down that follows, and the late store would find its
    // editor closed.
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    const Document& document_;
    mutable QPointer<SpecCellEditor> editor_;
};

class SpecHeaderView : public QHeaderView {
    Q_OBJECT

public:
    explicit SpecHeaderView(QWidget* parent);
    // Where the picture button of a column is drawn, in header coordinates.
    QRect buttonRect(int logicalIndex) const;

signals:
    void buttonClicked(int column);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    QSize sectionSizeFromContents(int logicalIndex) const override;

private:
    int pressed_ = -1;
};

// The row headers: each row's name, drawn as a label beside the row (right
// aligned, cut with "…" and then told whole as a tooltip when the header is
// narrower than the name).
class SpecRowHeaderView : public QHeaderView {
    Q_OBJECT

public:
    explicit SpecRowHeaderView(QWidget* parent);
    // The room right of a name.
    static constexpr int kMargin = 6;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    bool viewportEvent(QEvent* event) override;

private:
    QString shownName(int logicalIndex, int width) const;
};

class SpecGridView : public QTableView {
    Q_OBJECT

public:
    SpecGridView(Document& document, QWidget* parent);
    SpecHeaderView* specHeader() const { return header_; }
    SpecCellEditor* openEditor() const { return delegate_->openEditor(); }

    // Ctrl+C: the selected cells as tab-separated lines.
    void copySelection();
    // Ctrl+V: the clipboard's block at the current cell.
    void pasteClipboard();
    // Delete: empties the selected cells.
    void clearSelection();
    // Stores the text of an open cell editor, as leaving the cell does.
    // False when the text is refused: the message was shown and the editor
    // stays open, so the command that asked should not go on.
    bool commitEdit();
    // The cell being typed as committing it now would store it, on the
    // table on show; none when no editor is open or the check would refuse
    // its text. Nothing is stored.
    std::optional<CellChange> pendingEdit() const;
    // Makes (row, column) current and selects only it.
    void moveTo(int row, int column);
    // The connection wizard for a column: its header button, Alt+Enter and
    // a screen reader's press on the header all ask here.
    void requestWizard(int column);
    // Every column as wide as its longest value, the width the user gave it
    // or the default, whichever is widest.
    void fitColumns();
    // The row headers follow a new text walk.
    void relabelRows();
    // The row headers' width: the widest name, or less when the window
    // has not the room.
    void setRowHeaderWidth(int width);
    // Where the widths the user gave the columns are kept (QSettings).
    static constexpr char kColumnWidthsKey[] = "Grid/ColumnWidths";

signals:
    // Any edit of a cell: it enables Create.
    void edited();
    // The connection wizard was asked for (requestWizard).
    void wizardRequested(int column);
    // The text being typed changed, or its editor closed.
    void pendingTextChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void commitData(QWidget* editor) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    bool focusNextPrevChild(bool next) override;

private:
    // Enter in a cell editor: stores the cell and moves down the column, as
    // in a spreadsheet (a test is entered row by row); a refused text keeps
    // its editor where it is.
    void storeAndMoveDown(QWidget* editor);
    // Whether index is the cell Tab (next) or Shift+Tab leaves the grid from.
    bool isEdgeCell(const QModelIndex& index, bool next) const;

    struct Refusal {
        QPersistentModelIndex index;
        QString text;
        int cursor;
        // Refused already, and said so: the same text left again by another
        // route (a click elsewhere, then the tab change it made) is not
        // announced twice.
        bool told = false;
    };

    Document& document_;
    SpecTableModel* model_;
    SpecHeaderView* header_;
    SpecCellDelegate* delegate_;
    std::optional<Refusal> refused_;
    std::vector<int> userWidths_; // 0: none given
    bool fitting_ = false;
    // The text of the editor reopened after a refusal, until it is changed.
    std::optional<QString> toldRefusal_;
};

} // namespace kestrel::gui
