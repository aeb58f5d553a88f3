#include "gui/grid/spec_grid_accessible.h"

#include "gui/grid/spec_grid.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QHeaderView>
#include <QPointer>

#include <map>

namespace kestrel::gui {
namespace {

// A column header: its number as name, what its instruction record holds
// as description (both the model's), and Press, which opens the wizard.
class ColumnHeaderAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    ColumnHeaderAccessible(SpecGridView* view, int column) : view_(view), column_(column) { }

    bool isValid() const override { return view_ && view_->model() && column_ < view_->model()->columnCount(); }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(view_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessible::Role role() const override { return QAccessible::ColumnHeader; }
    void setText(QAccessible::Text, const QString&) override { }

    QString text(QAccessible::Text t) const override
    {
        if (!isValid())
            return {};
        switch (t) {
        case QAccessible::Name:
            return view_->model()->headerData(column_, Qt::Horizontal, Qt::DisplayRole).toString();
        case QAccessible::Description:
            return view_->model()->headerData(column_, Qt::Horizontal, Qt::AccessibleDescriptionRole).toString();
        default:
            return {};
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid() || view_->horizontalHeader()->isSectionHidden(column_))
            state.invisible = true;
        if (isValid() && !view_->isEnabled())
            state.disabled = true;
        return state;
    }

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QHeaderView* header = view_->horizontalHeader();
        const QPoint origin = header->mapToGlobal(QPoint(0, 0));
        return {origin.x() + header->sectionViewportPosition(column_), origin.y(), header->sectionSize(column_),
            header->height()};
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    void doAction(const QString& name) override
    {
        if (name != pressAction() || !isValid() || !view_->isEnabled())
            return;
        // Later, as a click would: the wizard is modal, and the screen
        // reader that asked waits for the answer to its call.
        QMetaObject::invokeMethod(
            view_.data(),
            [view = view_, column = column_] {
                if (view)
                    view->requestWizard(column);
            },
            Qt::QueuedConnection);
    }

private:
    QPointer<SpecGridView> view_;
    int column_;
};

// The grid's interface: Qt's table, with our own column headers.
class SpecGridAccessible : public QAccessibleObject, public QAccessibleTableInterface {
public:
    SpecGridAccessible(SpecGridView* view, QAccessibleInterface* qtTable)
        : QAccessibleObject(view), qt_(qtTable), qtId_(QAccessible::uniqueId(qtTable))
    {
    }

    ~SpecGridAccessible() override
    {
        for (const auto& [column, id] : headers_)
            QAccessible::deleteAccessibleInterface(id);
        QAccessible::deleteAccessibleInterface(qtId_);
    }

    // The one QAccessibleInterface call that differs from Qt's table.
    QAccessibleInterface* child(int index) const override
    {
        const int column = index - firstHeaderIndex();
        if (column >= 0 && column < table()->columnCount() && view()->horizontalHeader()) {
            auto it = headers_.find(column);
            if (it == headers_.end()) {
                auto* header = new ColumnHeaderAccessible(view(), column);
                it = headers_.emplace(column, QAccessible::registerAccessibleInterface(header)).first;
            }
            return QAccessible::accessibleInterface(it->second);
        }
        return current(qt_->child(index), [this, index] { return qt_->child(index); });
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (const auto& [column, id] : headers_)
            if (QAccessible::uniqueId(const_cast<QAccessibleInterface*>(child)) == id)
                return firstHeaderIndex() + column;
        return qt_->indexOfChild(child);
    }

    bool isValid() const override { return QAccessibleObject::isValid() && qt_->isValid(); }
    QWindow* window() const override { return qt_->window(); }
    QAccessibleInterface* parent() const override { return qt_->parent(); }
    QAccessibleInterface* focusChild() const override { return qt_->focusChild(); }
    QAccessibleInterface* childAt(int x, int y) const override { return qt_->childAt(x, y); }
    int childCount() const override { return qt_->childCount(); }
    QString text(QAccessible::Text t) const override { return qt_->text(t); }
    QRect rect() const override { return qt_->rect(); }
    QAccessible::Role role() const override { return qt_->role(); }
    QAccessible::State state() const override { return qt_->state(); }
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(QAccessible::Relation match) const override
    {
        return qt_->relations(match);
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return qt_->interface_cast(type);
    }

    // QAccessibleTableInterface: Qt's.
    QAccessibleInterface* caption() const override { return table()->caption(); }
    QAccessibleInterface* summary() const override { return table()->summary(); }
    QString columnDescription(int column) const override { return table()->columnDescription(column); }
    QString rowDescription(int row) const override { return table()->rowDescription(row); }
    int columnCount() const override { return table()->columnCount(); }
    int rowCount() const override { return table()->rowCount(); }
    int selectedCellCount() const override { return table()->selectedCellCount(); }
    int selectedColumnCount() const override { return table()->selectedColumnCount(); }
    int selectedRowCount() const override { return table()->selectedRowCount(); }
    QList<QAccessibleInterface*> selectedCells() const override { return table()->selectedCells(); }
    QList<int> selectedColumns() const override { return table()->selectedColumns(); }
    QList<int> selectedRows() const override { return table()->selectedRows(); }
    bool isColumnSelected(int column) const override { return table()->isColumnSelected(column); }
    bool isRowSelected(int row) const override { return table()->isRowSelected(row); }
    bool selectRow(int row) override { return table()->selectRow(row); }
    bool selectColumn(int column) override { return table()->selectColumn(column); }
    bool unselectRow(int row) override { return table()->unselectRow(row); }
    bool unselectColumn(int column) override { return table()->unselectColumn(column); }
    QAccessibleInterface* cellAt(int row, int column) const override
    {
        return current(table()->cellAt(row, column), [this, row, column] { return table()->cellAt(row, column); });
    }
    void modelChange(QAccessibleTableModelChangeEvent* event) override { table()->modelChange(event); }

private:
    SpecGridView* view() const { return static_cast<SpecGridView*>(object()); }
    QAccessibleTableInterface* table() const { return qt_->tableInterface(); }
    // Qt's table keeps its cells until it hears of a model reset, which it
    // does only while a reader listens: a cell of the table before the
    // function changed is let go and asked for again.
    template <typename Ask> QAccessibleInterface* current(QAccessibleInterface* cell, Ask ask) const
    {
        if (!cell || cell->isValid() || !isValid())
            return cell;
        QAccessibleTableModelChangeEvent reset(view(), QAccessibleTableModelChangeEvent::ModelReset);
        table()->modelChange(&reset);
        return ask();
    }
    // Qt numbers the header row first: the corner before it when the row
    // headers are shown.
    int firstHeaderIndex() const
    {
        const QAccessibleInterface* first = qt_->child(0);
        return first && first->role() == QAccessible::ColumnHeader ? 0 : 1;
    }

    QAccessibleInterface* qt_;
    QAccessible::Id qtId_;
    mutable std::map<int, QAccessible::Id> headers_;
};

} // namespace

QAccessibleInterface* specGridAccessibleInterface(const QString& className, QObject* object)
{
    // Qt's table for the grid is made by asking for the grid's interface
    // while this factory stands aside; the cache then holds ours for the
    // grid, and ours owns Qt's.
    static bool askingQt = false;
    auto* view = qobject_cast<SpecGridView*>(object);
    if (askingQt || !view || className != QLatin1String(SpecGridView::staticMetaObject.className()))
        return nullptr;
    askingQt = true;
    QAccessibleInterface* qtTable = QAccessible::queryAccessibleInterface(object);
    askingQt = false;
    if (!qtTable || !qtTable->tableInterface())
        return nullptr;
    return new SpecGridAccessible(view, qtTable);
}

} // namespace kestrel::gui
