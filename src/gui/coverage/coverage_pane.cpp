#include "gui/coverage/coverage_pane.h"

#include "gui/coverage/coverage_table_model.h"
#include "gui/document/document.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace kestrel::gui {
namespace {

// A heading longer than this many characters is cut short with "…", so a
// long translation never hides the counts.
constexpr int kHeadingCharacters = 14;

// The table whose keys and clicks only move through it: the selection is
// the chosen standard's row, changed by Enter, Space or a double click (or
// by a screen reader's selection), so that reading the table never changes
// the document.
class CoverageTableView : public QTableView {
public:
    CoverageTableView(std::function<void(int)> choose, QWidget* parent) : QTableView(parent), choose_(std::move(choose))
    {
    }

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex&, const QEvent*) const override
    {
        return QItemSelectionModel::NoUpdate;
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        const bool chooses = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
            event->key() == Qt::Key_Space || event->key() == Qt::Key_Select;
        const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
        if (chooses && modifiers == Qt::NoModifier && currentIndex().isValid()) {
            choose_(currentIndex().row());
            event->accept();
            return;
        }
        QTableView::keyPressEvent(event);
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        const QModelIndex index = indexAt(event->position().toPoint());
        if (event->button() == Qt::LeftButton && index.isValid()) {
            choose_(index.row());
            event->accept();
            return;
        }
        QTableView::mouseDoubleClickEvent(event);
    }

private:
    std::function<void(int)> choose_;
};

} // namespace

CoveragePane::CoveragePane(Document& document, QWidget* parent) : SidePane(parent), document_(document)
{
    setObjectName(QStringLiteral("dock_Coverage"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);

    model_ = new CoverageTableModel(document_, this);
    auto* area = new QWidget(this);
    area->setObjectName(QStringLiteral("CoverageArea"));
    table_ = new CoverageTableView([this](int row) { rowChosen(row); }, area);
    table_->setObjectName(QStringLiteral("CoverageTable"));
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setTabKeyNavigation(false);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    // Rows of one line each, all as tall, so that the table's height is known
    // before it is shown.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().lineSpacing() + 6);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->horizontalHeader()->setHighlightSections(false);
    // On the Scopes page the table gives way to a line that says what it is
    // for: the scope procedures have no meter standard to count.
    scopeNote_ = new QLabel(area);
    scopeNote_->setObjectName(QStringLiteral("CoverageScopeNote"));
    scopeNote_->setWordWrap(true);
    scopeNote_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scopeNote_->setMargin(6);
    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(scopeNote_, 1);
    layout->addWidget(table_, 1);
    setWidget(area);
    fitColumns();
    connect(&document_, &Document::pageChanged, this, &CoveragePane::showPage);
    showPage();

    pause_.setSingleShot(true);
    pause_.setInterval(0);
    connect(&pause_, &QTimer::timeout, this, &CoveragePane::recountNow);
    connect(&document_, &Document::changed, this, &CoveragePane::documentChanged);
    // The mouse and the keyboard only move the current row; a screen reader
    // or UI automation chooses by selecting a row.
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QModelIndexList rows = table_->selectionModel()->selectedRows();
        if (rows.size() == 1)
            rowChosen(rows.front().row());
    });
    showChosen();
}

void CoveragePane::recountNow()
{
    pause_.stop();
    stale_ = false;
    auto inputs = std::make_shared<const ProcedureInputs>(document_.inputs());
    worker_.post([this, inputs]() -> BackgroundWorker::Delivery {
        auto all = std::make_shared<std::vector<Coverage>>(coverageForAll(*inputs));
        return [this, all] {
            model_->setCoverages(std::move(*all));
            showChosen();
            fitColumns();
        };
    });
}

int CoveragePane::wholeTableHeight() const
{
    return table_->horizontalHeader()->sizeHint().height() +
        model_->rowCount() * table_->verticalHeader()->defaultSectionSize() + 2 * table_->frameWidth();
}

void CoveragePane::relabel()
{
    model_->relabel();
    fitColumns();
}

void CoveragePane::fitColumns()
{
    QHeaderView* header = table_->horizontalHeader();
    const QFontMetrics metrics(header->font());
    const int margins = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header) + 4;
    const int widest = metrics.averageCharWidth() * kHeadingCharacters + margins;
    const QAbstractItemView* view = table_;
    for (int column = 0; column < model_->columnCount(); ++column) {
        const QString heading = model_->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        const int wanted = std::min(metrics.horizontalAdvance(heading) + margins, widest);
        header->resizeSection(column, std::max(view->sizeHintForColumn(column), wanted));
    }
}

void CoveragePane::documentChanged()
{
    // The chosen row is marked at once; the counts follow after the pause.
    showChosen();
    model_->relabel();
    stale_ = true;
    if (!isHidden())
        pause_.start();
}

void CoveragePane::showEvent(QShowEvent* event)
{
    QDockWidget::showEvent(event);
    if (stale_)
        recountNow();
}

void CoveragePane::showPage()
{
    const bool scope = document_.inputs().page == Page::Scope;
    scopeNote_->setVisible(scope);
    table_->setVisible(!scope);
}

void CoveragePane::showChosen()
{
    const int row = model_->chosenRow();
    const QModelIndexList selected = table_->selectionModel()->selectedRows();
    const int selectedRow = selected.size() == 1 ? selected.front().row() : -1;
    if (table_->currentIndex().row() == row && selectedRow == row)
        return;
    const QSignalBlocker quiet(table_->selectionModel());
    if (row < 0) {
        table_->selectionModel()->clear();
    } else {
        table_->selectionModel()->setCurrentIndex(
            model_->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    // The blocked signals kept the view from repainting the rows.
    table_->viewport()->update();
}

void CoveragePane::rowChosen(int row)
{
    const std::string standard = model_->standardOf(row);
    if (!standard.empty())
        document_.chooseStandard(standard);
}

} // namespace kestrel::gui
