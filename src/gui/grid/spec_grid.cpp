#include "gui/grid/spec_grid.h"

#include "core/i18n/text_numbers.h"
#include "core/spec/cell_block.h"
#include "core/spec/key_filter.h"
#include "core/spec/numbers.h"
#include "gui/common/picture_icon.h"
#include "gui/grid/spec_table_model.h"

#include <QApplication>
#include <QClipboard>
#include <QIcon>
#include <QKeyEvent>
#include <QPainter>
#include <QSettings>
#include <QStyleOptionButton>

#include <algorithm>

namespace kestrel::gui {
namespace {

constexpr int kButtonSize = 18;

// What a commit that passed the check stores: "0" is an empty cell.
std::string storedCellText(const std::string& typed)
{
    return checkCommit(typed) == CommitResult::StoreEmpty ? std::string() : typed;
}

const QIcon& headerIcon(int picture)
{
    static const QIcon icons[] = {pictureIcon(QStringLiteral("header_nothing")),
        pictureIcon(QStringLiteral("header_picture")), pictureIcon(QStringLiteral("header_text")),
        pictureIcon(QStringLiteral("header_both"))};
    return icons[std::clamp(picture, 1, 4) - 1];
}

} // namespace

// ---- the cell editor ----

SpecCellEditor::SpecCellEditor(const Document& document, const QModelIndex& index, QWidget* parent)
    : QLineEdit(parent), document_(document), index_(index)
{
    setObjectName(QStringLiteral("MeterSpecGrid_Editor"));
    setFrame(false);
    setAlignment(Qt::AlignCenter);
    // Every character arrives through keyPressEvent and the filter.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setContextMenuPolicy(Qt::NoContextMenu);
    setDragEnabled(false);
    setAcceptDrops(false);
}

void SpecCellEditor::typeText(const QString& text)
{
    const auto function = document_.currentFunction();
    const std::string decSep = document_.decimalSeparator();
    for (const char32_t ch : text.toUcs4()) {
        QString current = this->text();
        if (hasSelectedText())
            current.remove(selectionStart(), selectedText().size());
        const QString key = QString::fromUcs4(&ch, 1);
        const KeyResult r = filterKey(function, index_.row(), current.toStdString(), key.toStdString(), decSep);
        if (r.accepted)
            insert(QString::fromStdString(r.text));
    }
}

void SpecCellEditor::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste)) {
        const QString pasted = QApplication::clipboard()->text().remove(u'\r').remove(u'\n').remove(u'\t');
        // Refused before a key of it is typed (see kLongestCell).
        if (static_cast<std::size_t>(pasted.size()) > kLongestCell) {
            document_.sink().inform(tooLongCellRefusal(document_.texts(), static_cast<std::size_t>(pasted.size())),
                MessageIcon::Exclamation);
            return;
        }
        typeText(pasted);
        return;
    }
    const QString text = event->text();
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (command || text.isEmpty() || !text.at(0).isPrint()) {
        QLineEdit::keyPressEvent(event); // editing keys: Backspace, arrows, Home, Ctrl+A …
        return;
    }
    typeText(text);
}

// ---- the delegate ----

SpecCellDelegate::SpecCellDelegate(const Document& document, QObject* parent)
    : QStyledItemDelegate(parent), document_(document)
{
}

QWidget* SpecCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const
{
    auto* editor = new SpecCellEditor(document_, index, parent);
    QPalette palette = editor->palette();
    palette.setColor(QPalette::Base, SpecTableModel::columnColour(index.column()));
    palette.setColor(QPalette::Text, Qt::black);
    editor->setPalette(palette);
    editor_ = editor;
    connect(editor, &QLineEdit::textChanged, this, &SpecCellDelegate::editorTextChanged);
    return editor;
}

bool SpecCellDelegate::eventFilter(QObject* object, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && qobject_cast<SpecCellEditor*>(object)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit enterPressed(static_cast<QWidget*>(object));
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

void SpecCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    const QVariant outcome = index.data(SpecTableModel::PointOutcomeRole);
    if (!outcome.isValid())
        return;
    // A triangle in the cell's top-left corner: the background stays free
    // for the overflow marking, the text for the value.
    const QRect cell = option.rect;
    const int side = std::clamp(cell.height() / 2, 5, 9);
    const QPoint corner = cell.topLeft();
    const QPolygon triangle({corner, corner + QPoint(side, 0), corner + QPoint(0, side)});
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(SpecTableModel::outcomeColour(static_cast<PointOutcome>(outcome.toInt())));
    painter->drawPolygon(triangle);
    painter->restore();
}

void SpecCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    static_cast<SpecCellEditor*>(editor)->setText(index.data(Qt::EditRole).toString());
}

void SpecCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    const std::string typed = static_cast<SpecCellEditor*>(editor)->text().toStdString();
    model->setData(index, QString::fromStdString(storedCellText(typed)), Qt::EditRole);
}

// ---- the header ----

SpecHeaderView::SpecHeaderView(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
{
    setObjectName(QStringLiteral("MeterSpecGrid_Header"));
    setSectionsClickable(true);
    setHighlightSections(true);
    // Wide enough for a range with seven digits, a separator and a prefix.
    setDefaultSectionSize(std::max(72, fontMetrics().horizontalAdvance(QStringLiteral("100.0000m")) + 12));
    // The user may widen a column by its edge (SpecGridView keeps the width).
    setSectionResizeMode(QHeaderView::Interactive);
    setMouseTracking(true);
}

QRect SpecHeaderView::buttonRect(int logicalIndex) const
{
    const int left = sectionViewportPosition(logicalIndex);
    return {left + 3, (height() - kButtonSize) / 2, kButtonSize, kButtonSize};
}

QSize SpecHeaderView::sectionSizeFromContents(int logicalIndex) const
{
    QSize size = QHeaderView::sectionSizeFromContents(logicalIndex);
    size.setHeight(std::max(size.height(), kButtonSize + 8));
    return size;
}

void SpecHeaderView::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    painter->save();
    QHeaderView::paintSection(painter, rect, logicalIndex);
    painter->restore();

    const QRect button = buttonRect(logicalIndex).translated(0, rect.top());
    QStyleOptionButton option;
    option.initFrom(this);
    option.rect = button;
    option.state |= QStyle::State_Raised;
    const QPoint mouse = mapFromGlobal(QCursor::pos());
    if (button.contains(mouse) && underMouse())
        option.state |= QStyle::State_MouseOver;
    if (pressed_ == logicalIndex)
        option.state |= QStyle::State_Sunken;
    style()->drawPrimitive(QStyle::PE_PanelButtonTool, &option, painter, this);
    const int picture =
        model() ? model()->headerData(logicalIndex, Qt::Horizontal, SpecTableModel::HeaderPictureRole).toInt() : 1;
    headerIcon(picture).paint(painter, button.adjusted(1, 1, -1, -1));
}

void SpecHeaderView::mousePressEvent(QMouseEvent* event)
{
    const int column = logicalIndexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && column >= 0 && buttonRect(column).contains(event->position().toPoint())) {
        pressed_ = column;
        viewport()->update();
        event->accept();
        return;
    }
    QHeaderView::mousePressEvent(event);
}

void SpecHeaderView::mouseReleaseEvent(QMouseEvent* event)
{
    if (pressed_ >= 0) {
        const int column = pressed_;
        pressed_ = -1;
        viewport()->update();
        if (buttonRect(column).contains(event->position().toPoint()))
            emit buttonClicked(column);
        event->accept();
        return;
    }
    QHeaderView::mouseReleaseEvent(event);
}

// ---- the grid ----

SpecGridView::SpecGridView(Document& document, QWidget* parent)
    : QTableView(parent), document_(document), model_(new SpecTableModel(document, this)),
      header_(new SpecHeaderView(this)), delegate_(new SpecCellDelegate(document, this))
{
    setObjectName(QStringLiteral("MeterSpecGrid"));
    setHorizontalHeader(header_);
    setModel(model_);
    setItemDelegate(delegate_);
    connect(delegate_, &SpecCellDelegate::editorTextChanged, this, &SpecGridView::pendingTextChanged);
    connect(delegate_, &SpecCellDelegate::enterPressed, this, &SpecGridView::storeAndMoveDown);
    verticalHeader()->hide(); // the SpecLabel labels beside the grid name the rows
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 10);
    // As in a spreadsheet: typing replaces the cell, a double click or F2
    // edits it. (A click on the selected cell would start a delayed edit
    // that swallows the keys typed meanwhile.)
    setEditTriggers(
        QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setTabKeyNavigation(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    // Cells paint their own column colours; the grid beyond the last row
    // (where the sensor lists stand) has the window's colour.
    QPalette p = palette();
    p.setColor(QPalette::Highlight, QColor(47, 109, 181));
    p.setColor(QPalette::Base, p.color(QPalette::Window));
    setPalette(p);

    connect(model_, &QAbstractItemModel::dataChanged, this, &SpecGridView::edited);

    // Column widths: what the user drags is kept (for every function and
    // the next start); a table shown anew fits its longest values too.
    const QVariantList kept = QSettings().value(QLatin1String(kColumnWidthsKey)).toList();
    for (const QVariant& width : kept)
        userWidths_.push_back(width.toInt());
    userWidths_.resize(static_cast<std::size_t>(model_->columnCount()), 0);
    connect(header_, &QHeaderView::sectionResized, this, [this](int column, int, int width) {
        if (fitting_ || column < 0 || column >= static_cast<int>(userWidths_.size()))
            return;
        userWidths_[static_cast<std::size_t>(column)] = width;
        QVariantList widths;
        for (const int w : userWidths_)
            widths.append(w);
        QSettings().setValue(QLatin1String(kColumnWidthsKey), widths);
    });
    connect(model_, &QAbstractItemModel::modelReset, this, &SpecGridView::fitColumns);
    fitColumns();
}

void SpecGridView::fitColumns()
{
    fitting_ = true;
    for (int column = 0; column < model_->columnCount(); ++column) {
        const int kept = userWidths_[static_cast<std::size_t>(column)];
        header_->resizeSection(column, std::max({header_->defaultSectionSize(), kept, sizeHintForColumn(column)}));
    }
    fitting_ = false;
}

void SpecGridView::moveTo(int row, int column)
{
    const QModelIndex index = model_->index(row, column);
    if (!index.isValid())
        return;
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

bool SpecGridView::commitEdit()
{
    SpecCellEditor* editor = openEditor();
    if (!editor || state() != QAbstractItemView::EditingState)
        return true;
    commitData(editor);
    const bool refused = refused_.has_value();
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    return !refused;
}

void SpecGridView::storeAndMoveDown(QWidget* editor)
{
    SpecCellEditor* cell = openEditor();
    if (editor != cell)
        return;
    const QPersistentModelIndex edited = cell->index();
    if (commitEdit() && edited.isValid() && edited.row() + 1 < model_->rowCount())
        moveTo(edited.row() + 1, edited.column());
}

void SpecGridView::copySelection()
{
    const QModelIndexList cells = selectionModel()->selectedIndexes();
    if (cells.isEmpty())
        return;
    int top = cells.front().row(), bottom = top, left = cells.front().column(), right = left;
    for (const QModelIndex& cell : cells) {
        top = std::min(top, cell.row());
        bottom = std::max(bottom, cell.row());
        left = std::min(left, cell.column());
        right = std::max(right, cell.column());
    }
    QApplication::clipboard()->setText(QString::fromStdString(
        shownCell(copyCellBlock(document_.currentTable(), top, left, bottom, right), document_.decimalSeparator())));
}

void SpecGridView::pasteClipboard()
{
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return;
    document_.paste(current.row(), current.column(), QApplication::clipboard()->text().toStdString());
    setFocus();
}

void SpecGridView::clearSelection()
{
    std::vector<CellChange> changes;
    for (const QModelIndex& cell : selectionModel()->selectedIndexes())
        changes.push_back({cell.row(), cell.column(), document_.currentTable().cell(cell.row(), cell.column()), {}});
    if (changes.empty() && currentIndex().isValid()) {
        const QModelIndex cell = currentIndex();
        changes.push_back({cell.row(), cell.column(), document_.currentTable().cell(cell.row(), cell.column()), {}});
    }
    document_.setCells(document_.text(kTextUndoDelete), changes);
}

void SpecGridView::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        copySelection();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        pasteClipboard();
        return;
    }
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        clearSelection();
        return;
    }
    // Ctrl+Tab leaves the grid at once, from any cell.
    if ((event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) &&
        event->modifiers().testFlag(Qt::ControlModifier)) {
        QWidget::focusNextPrevChild(event->key() == Qt::Key_Tab && !event->modifiers().testFlag(Qt::ShiftModifier));
        return;
    }
    QTableView::keyPressEvent(event);
}

bool SpecGridView::isEdgeCell(const QModelIndex& index, bool next) const
{
    if (!index.isValid())
        return true;
    return next ? index.row() == model_->rowCount() - 1 && index.column() == model_->columnCount() - 1
                : index.row() == 0 && index.column() == 0;
}

bool SpecGridView::focusNextPrevChild(bool next)
{
    // Tab walks the cells and, past the last one, leaves the grid for the
    // next control, as in other tables: the commands, the lists and the
    // samples are reached by keyboard too (Shift+Tab likewise backwards).
    if (tabKeyNavigation() && isEdgeCell(currentIndex(), next))
        return QWidget::focusNextPrevChild(next);
    return QTableView::focusNextPrevChild(next);
}

void SpecGridView::commitData(QWidget* editor)
{
    if (auto* cell = qobject_cast<SpecCellEditor*>(editor);
        cell && checkCommit(cell->text().toStdString()) == CommitResult::Invalid) {
        refused_ = Refusal{cell->index(), cell->text(), cell->cursorPosition(), toldRefusal_ == cell->text()};
        return;
    }
    QTableView::commitData(editor);
}

std::optional<CellChange> SpecGridView::pendingEdit() const
{
    // A closed editor lives on until it is deleted: the state says whether
    // one is open.
    const SpecCellEditor* cell = openEditor();
    if (state() != QAbstractItemView::EditingState || !cell || !cell->index().isValid())
        return std::nullopt;
    const std::string typed = cell->text().toStdString();
    if (checkCommit(typed) == CommitResult::Invalid)
        return std::nullopt;
    const int row = cell->index().row();
    const int column = cell->index().column();
    return CellChange{row, column, document_.currentTable().cell(row, column),
        storedCellText(heldCell(typed, document_.decimalSeparator()))};
}

void SpecGridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    emit pendingTextChanged();
    if (!refused_) {
        toldRefusal_.reset();
        const QModelIndex edited = qobject_cast<SpecCellEditor*>(editor)
            ? QModelIndex(static_cast<SpecCellEditor*>(editor)->index())
            : QModelIndex();
        // Tab in the last cell's editor (Shift+Tab in the first) stores it
        // and leaves the grid, as Tab does outside the editor.
        const bool leaving = (hint == QAbstractItemDelegate::EditNextItem && isEdgeCell(edited, true)) ||
            (hint == QAbstractItemDelegate::EditPreviousItem && isEdgeCell(edited, false));
        if (leaving && edited.isValid()) {
            QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
            QWidget::focusNextPrevChild(hint == QAbstractItemDelegate::EditNextItem);
            return;
        }
        QTableView::closeEditor(editor, hint);
        return;
    }
    // The commit was refused: the cell keeps its old value and the editor
    // comes back with the refused text, after the message.
    const Refusal refusal = *refused_;
    refused_.reset();
    toldRefusal_.reset();
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    if (!refusal.told)
        document_.sink().inform(document_.texts().gettext(kTextInvalidDataFormat));
    if (!refusal.index.isValid())
        return;
    setFocus();
    moveTo(refusal.index.row(), refusal.index.column());
    edit(refusal.index);
    if (SpecCellEditor* reopened = openEditor()) {
        reopened->setText(refusal.text);
        reopened->setCursorPosition(refusal.cursor);
        toldRefusal_ = refusal.text;
        connect(reopened, &QLineEdit::textEdited, this, [this] { toldRefusal_.reset(); });
    }
}

} // namespace kestrel::gui
