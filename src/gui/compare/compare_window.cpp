#include "gui/compare/compare_window.h"

#include "core/app/create.h"
#include "core/app/open_spec_file.h"
#include "core/i18n/text_numbers.h"
#include "gui/common/caption_fitting.h"
#include "gui/common/control_texts.h"
#include "gui/common/file_paths.h"
#include "gui/common/window_texts.h"
#include "gui/compare/side_by_side_panes.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include <exception>

namespace kestrel::gui {
namespace {

// The procedure as the clipboard would receive it; what a failed generator
// wrote before it stopped, and nothing when it wrote nothing.
std::string procedureOf(const ProcedureInputs& inputs, const Document& document)
{
    try {
        const CreateResult result = createProcedure(inputs, document.texts(), document.sink());
        return clipboardForm(result.text);
    } catch (const std::exception& failure) {
        document.sink().inform(errorReport(document.texts(), " Compare  ", failure.what()));
        return {};
    }
}

QLabel* paneCaption(const char* name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    nameControl(label, QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

CompareWindow::CompareWindow(
    const Document& document, const ComparedSpecification& left, const ComparedSpecification& right, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frm_Compare"));
    setAttribute(Qt::WA_DeleteOnClose);
    setSizeGripEnabled(true);
    const TextLookup& texts = document.texts();
    setWindowTitle(qtText(textWith(texts, kTextCompareTitle, {coreText(left.name), coreText(right.name)})));

    panes_ = new SideBySidePanes(this);
    nameControl(panes_, QStringLiteral("Procedures"));
    panes_->show(procedureOf(left.inputs, document), procedureOf(right.inputs, document));
    for (const auto& [pane, side] : {std::pair{panes_->left(), &left}, std::pair{panes_->right(), &right}})
        pane->setAccessibleName(qtText(textWith(texts, kTextCompareProcedureOf, {coreText(side->name)})));

    auto* captions = new QHBoxLayout;
    captions->addWidget(paneCaption("LeftName", left.name, this), 1);
    captions->addWidget(paneCaption("RightName", right.name, this), 1);
    auto* top = new QWidget(this);
    top->setObjectName(QStringLiteral("ProcedureArea"));
    auto* topLayout = new QVBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    topLayout->addLayout(captions);
    topLayout->addWidget(panes_, 1);

    changes_ = diffSpecifications(left.inputs, right.inputs);
    summary_ = paneCaption("ChangeSummary", QString(), this);
    changeList_ = new QTableWidget(this);
    nameControl(changeList_, QStringLiteral("ChangeList"));
    fillChanges(document);
    auto* bottom = new QWidget(this);
    bottom->setObjectName(QStringLiteral("ChangeArea"));
    auto* bottomLayout = new QVBoxLayout(bottom);
    bottomLayout->setContentsMargins(0, 0, 0, 0);
    bottomLayout->addWidget(summary_);
    bottomLayout->addWidget(changeList_, 1);

    auto* split = new QSplitter(Qt::Vertical, this);
    split->setObjectName(QStringLiteral("CompareSplitter"));
    split->setChildrenCollapsible(false);
    split->addWidget(top);
    split->addWidget(bottom);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);

    auto* buttons = new QDialogButtonBox(this);
    buttons->setObjectName(QStringLiteral("CompareButtons"));
    auto* close = buttons->addButton(QString(), QDialogButtonBox::RejectRole);
    nameControl(close, QStringLiteral("cmdClose"));
    setCaption(close, texts, kTextCompareClose);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(split, 1);
    layout->addWidget(buttons);

    connect(changeList_, &QTableWidget::cellClicked, this, [this](int row, int) { choose(row); });
    connect(changeList_, &QTableWidget::cellActivated, this, [this](int row, int) { choose(row); });

    fitCaptions(this);
    // Room for two procedure lines of 80 columns side by side.
    const int lineWidth = panes_->left()->fontMetrics().horizontalAdvance(QString(82, u'0'));
    resizeWithinScreen(this, sizeHint().expandedTo(QSize(2 * lineWidth + 80, 640)));
}

void CompareWindow::fillChanges(const Document& document)
{
    const TextLookup& texts = document.texts();
    summary_->setText(changes_.empty()
            ? textOf(texts, kTextCompareNoChanges)
            : qtText(textWith(texts, kTextCompareChanges, {std::to_string(changes_.size())})));
    changeList_->setColumnCount(3);
    changeList_->setHorizontalHeaderLabels(
        {textOf(texts, kTextCompareInput), textOf(texts, kTextCompareBefore), textOf(texts, kTextCompareAfter)});
    changeList_->setRowCount(static_cast<int>(changes_.size()));
    changeList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    changeList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    changeList_->setSelectionMode(QAbstractItemView::SingleSelection);
    changeList_->verticalHeader()->hide();
    changeList_->horizontalHeader()->setStretchLastSection(true);
    changeList_->setToolTip(textOf(texts, kTextCompareChangesTip));
    for (int row = 0; row < changeList_->rowCount(); ++row) {
        const SpecChange& change = changes_[static_cast<std::size_t>(row)];
        // The values as the file writes them: null is an empty cell or a
        // missing record, a text is quoted.
        const std::string cells[] = {change.path, specValueLiteral(change.before), specValueLiteral(change.after)};
        for (int column = 0; column < 3; ++column)
            changeList_->setItem(row, column, new QTableWidgetItem(qtText(cells[column])));
    }
    changeList_->resizeColumnsToContents();
}

void CompareWindow::choose(int row)
{
    if (row < 0 || row >= static_cast<int>(changes_.size()))
        return;
    if (const std::optional<MeterCell> cell = meterCellOfPath(changes_[static_cast<std::size_t>(row)].path))
        emit cellChosen(*cell);
}

CompareWindow* openCompareWindow(Document& document, const QString& path, QWidget* parent)
{
    // The same date on both sides, so that only what the inputs make differs.
    ProcedureInputs mine = document.inputs();
    mine.headerDate = document.session().headerDateToday();
    OpenedSpecFile other = openSpecFile(filesystemPath(path), document.session(), mine.headerDate);
    if (!other.inputs) {
        document.reportOpenFailure(path, other);
        return nullptr;
    }
    const QString myName = document.filePath().isEmpty() ? textOf(document.texts(), kTextCompareUnsaved)
                                                         : QFileInfo(document.filePath()).fileName();
    auto* window = new CompareWindow(
        document, {myName, std::move(mine)}, {QFileInfo(path).fileName(), std::move(*other.inputs)}, parent);
    window->show();
    return window;
}

} // namespace kestrel::gui
