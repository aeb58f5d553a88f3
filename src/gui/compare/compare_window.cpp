#include "gui/compare/compare_window.h"

#include "core/app/create.h"
#include "core/app/open_spec_file.h"
#include "core/app/procedure_comparison_report.h"
#include "core/app/review_files.h"
#include "core/app/session.h"
#include "core/base/unicode_form.h"
#include "core/i18n/text_numbers.h"
#include "gui/common/caption_fitting.h"
#include "gui/common/control_texts.h"
#include "gui/common/file_paths.h"
#include "gui/common/status_line.h"
#include "gui/common/wait_cursor.h"
#include "gui/common/window_texts.h"
#include "gui/compare/review_export.h"
#include "gui/compare/side_by_side_panes.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
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

// A renumbering as the window says it: by the amount, or by the new numbers.
QString renumberingLine(const TextLookup& texts, const Renumbering& r)
{
    const std::string first = stepNumberText(r.firstBefore), last = stepNumberText(r.lastBefore);
    const std::optional<std::string> amount = renumberingAmount(r);
    if (r.firstBefore == r.lastBefore)
        return amount ? qtText(textWith(texts, kTextCompareStepRenumbered, {first, *amount}))
                      : qtText(textWith(texts, kTextCompareStepRenumberedAs, {first, stepNumberText(r.firstAfter)}));
    return amount ? qtText(textWith(texts, kTextCompareRenumbered, {first, last, *amount}))
                  : qtText(textWith(texts, kTextCompareRenumberedAs,
                        {first, last, stepNumberText(r.firstAfter), stepNumberText(r.lastAfter)}));
}

// What kind of change a row of the list is.
QString changeKind(const TextLookup& texts, const SpecChange& change)
{
    switch (change.kind) {
    case SpecChangeKind::Value:
        break;
    case SpecChangeKind::UnicodeForm:
        return qtText(textWith(texts, kTextCompareUnicodeForm,
            {std::string(unicodeFormName(unicodeFormOf(std::get<std::string>(change.before)))),
                std::string(unicodeFormName(unicodeFormOf(std::get<std::string>(change.after))))}));
    case SpecChangeKind::Moved:
        return textOf(texts, kTextCompareMoved);
    case SpecChangeKind::ColumnInserted:
        return textOf(texts, kTextCompareColumnInserted);
    case SpecChangeKind::ColumnRemoved:
        return textOf(texts, kTextCompareColumnRemoved);
    }
    return textOf(texts, kTextCompareValueChanged);
}

// The values of a row as the file writes them: null is an empty cell or a
// missing record, a text is quoted; a column's cells as an object.
std::pair<std::string, std::string> changeValues(const SpecChange& change)
{
    if (change.kind == SpecChangeKind::ColumnInserted)
        return {std::string(), columnCellsLiteral(change.cells)};
    if (change.kind == SpecChangeKind::ColumnRemoved)
        return {columnCellsLiteral(change.cells), std::string()};
    return {specValueLiteral(change.before), specValueLiteral(change.after)};
}

// Create's messages while the report is made: the window showed them when
// it made the procedures; what could not be read the report names.
class QuietReviewMessages : public ReviewMessages {
public:
    void failed(const std::string&) override { }
    MessageSink& procedureMessages(const std::string&) override { return silent_; }

private:
    SilentSink silent_;
};

} // namespace

CompareWindow::CompareWindow(
    const Document& document, const ComparedSpecification& left, const ComparedSpecification& right, QWidget* parent)
    : QDialog(parent), document_(document), texts_(document.texts()), leftPath_(left.path), rightPath_(right.path)
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
    procedureSummary_ = paneCaption("ProcedureSummary", QString(), this);
    fillProcedureSummary(texts);
    topLayout->addWidget(procedureSummary_);

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
    // From difference to difference, by the buttons or F7 and Shift+F7.
    auto* previous = buttons->addButton(QString(), QDialogButtonBox::ActionRole);
    nameControl(previous, QStringLiteral("cmdPreviousDifference"));
    setCaption(previous, texts, kTextComparePreviousDifference);
    auto* next = buttons->addButton(QString(), QDialogButtonBox::ActionRole);
    nameControl(next, QStringLiteral("cmdNextDifference"));
    setCaption(next, texts, kTextCompareNextDifference);
    for (QPushButton* b : {previous, next})
        b->setAutoDefault(false);
    connect(previous, &QPushButton::clicked, this, [this] { goToDifference(-1); });
    connect(next, &QPushButton::clicked, this, [this] { goToDifference(1); });
    for (const auto& [keys, step] :
        {std::pair(QKeySequence(Qt::Key_F7), 1), std::pair(QKeySequence(Qt::SHIFT | Qt::Key_F7), -1)}) {
        auto* key = new QShortcut(keys, this);
        key->setObjectName(step > 0 ? QStringLiteral("NextDifferenceKey") : QStringLiteral("PreviousDifferenceKey"));
        connect(key, &QShortcut::activated, this, [this, step = step] { goToDifference(step); });
    }
    statusLine_ = new StatusLine(this);
    statusLine_->setAccessibleName(textOf(texts, kTextStatusLine));
    auto* exportReview = buttons->addButton(QString(), QDialogButtonBox::ActionRole);
    nameControl(exportReview, QStringLiteral("cmd_ExportReview"));
    setCaption(exportReview, texts, kTextExportReview);
    exportReview->setAutoDefault(false);
    connect(exportReview, &QPushButton::clicked, this, &CompareWindow::exportReview);
    auto* exportKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_E), this);
    exportKey->setObjectName(QStringLiteral("ExportReviewKey"));
    connect(exportKey, &QShortcut::activated, this, &CompareWindow::exportReview);
    auto* close = buttons->addButton(QString(), QDialogButtonBox::RejectRole);
    nameControl(close, QStringLiteral("cmdClose"));
    setCaption(close, texts, kTextCompareClose);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(split, 1);
    auto* bottomRow = new QHBoxLayout;
    bottomRow->addWidget(statusLine_, 1);
    bottomRow->addWidget(buttons);
    layout->addLayout(bottomRow);

    connect(changeList_, &QTableWidget::cellClicked, this, [this](int row, int) { choose(row); });
    connect(changeList_, &QTableWidget::cellActivated, this, [this](int row, int) { choose(row); });

    fitCaptions(this);
    // Room for two procedure lines of 80 columns side by side.
    const int lineWidth = panes_->left()->fontMetrics().horizontalAdvance(QString(82, u'0'));
    resizeWithinScreen(this, sizeHint().expandedTo(QSize(2 * lineWidth + 80, 640)));
}

void CompareWindow::fillProcedureSummary(const TextLookup& texts)
{
    const ProcedureComparison& comparison = panes_->comparison();
    QStringList lines;
    lines << (comparison.same()
            ? textOf(texts, kTextCompareProceduresSame)
            : qtText(textWith(texts, kTextCompareProcedureChanges, {std::to_string(comparison.changes.size())})));
    for (const Renumbering& r : comparison.renumberings)
        lines << renumberingLine(texts, r);
    procedureSummary_->setText(lines.join(u'\n'));
}

void CompareWindow::fillChanges(const Document& document)
{
    const TextLookup& texts = document.texts();
    summary_->setText(changes_.empty()
            ? textOf(texts, kTextCompareNoChanges)
            : qtText(textWith(texts, kTextCompareChanges, {std::to_string(changes_.size())})));
    changeList_->setColumnCount(4);
    changeList_->setHorizontalHeaderLabels({textOf(texts, kTextCompareInput), textOf(texts, kTextCompareChange),
        textOf(texts, kTextCompareBefore), textOf(texts, kTextCompareAfter)});
    changeList_->setRowCount(static_cast<int>(changes_.size()));
    changeList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    changeList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    changeList_->setSelectionMode(QAbstractItemView::SingleSelection);
    changeList_->verticalHeader()->hide();
    changeList_->horizontalHeader()->setStretchLastSection(true);
    changeList_->setToolTip(textOf(texts, kTextCompareChangesTip));
    for (int row = 0; row < changeList_->rowCount(); ++row) {
        const SpecChange& change = changes_[static_cast<std::size_t>(row)];
        const auto [before, after] = changeValues(change);
        const QString cells[] = {qtText(change.path), changeKind(texts, change), qtText(before), qtText(after)};
        for (int column = 0; column < 4; ++column)
            changeList_->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    changeList_->resizeColumnsToContents();
}

void CompareWindow::choose(int row)
{
    if (row < 0 || row >= static_cast<int>(changes_.size()))
        return;
    const SpecChange& change = changes_[static_cast<std::size_t>(row)];
    // A column by its first cell.
    const bool column = change.kind == SpecChangeKind::ColumnInserted || change.kind == SpecChangeKind::ColumnRemoved;
    if (const std::optional<MeterCell> cell = meterCellOfPath(column ? change.path + ".range" : change.path)) {
        emit cellChosen(*cell);
        return;
    }
    if (const ChangeField field = controlOfPath(change.path); !field.control.isEmpty())
        emit fieldChosen(field);
}

void CompareWindow::goToDifference(int step)
{
    const std::optional<std::size_t> found = panes_->goToDifference(step);
    if (!found) {
        statusLine_->say(textOf(texts_, kTextCompareNoFurtherDifference));
        return;
    }
    const std::vector<int> all = panes_->differences();
    statusLine_->say(qtText(textWith(texts_, kTextCompareDifferenceAt,
        {std::to_string(*found + 1), std::to_string(all.size()), coreText(panes_->rowText(all[*found]).trimmed())})));
}

void CompareWindow::exportReview()
{
    if (leftPath_.isEmpty() || rightPath_.isEmpty()) {
        document_.sink().inform(coreText(textOf(texts_, kTextReviewNeedsFiles)), MessageIcon::Exclamation);
        return;
    }
    const QString html = textOf(texts_, kTextReviewHtmlFiles), pdf = textOf(texts_, kTextReviewPdfFiles);
    QFileDialog dialog(this, textOf(texts_, kTextExportReviewTitle));
    dialog.setObjectName(QStringLiteral("ExportReviewDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({html, pdf});
    dialog.setDirectory(QFileInfo(rightPath_).absolutePath());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    // A name without an ending takes the chosen filter's.
    QString path = dialog.selectedFiles().constFirst();
    if (QFileInfo(path).suffix().isEmpty())
        path += dialog.selectedNameFilter() == pdf ? QStringLiteral(".pdf") : QStringLiteral(".html");
    exportReviewTo(path);
}

bool CompareWindow::exportReviewTo(const QString& path)
{
    WaitCursor wait;
    const Session& session = document_.session();
    QuietReviewMessages messages;
    ReviewComparer comparer(session, session.headerDateToday(), std::nullopt, messages);
    const ReviewReport report = reviewOfTwoFiles(reviewSettingsOf(session, localToday()),
        coreText(QDir::toNativeSeparators(leftPath_)), coreText(QDir::toNativeSeparators(rightPath_)), comparer);
    QString error;
    const bool written = writeReviewReport(path, reviewReportHtml(report, texts_), reviewPageSize(locale()), error);
    wait.restore();
    if (!written) {
        document_.sink().inform(
            textWith(texts_, kTextReviewNotWritten, {coreText(path), coreText(error)}), MessageIcon::Exclamation);
        return false;
    }
    statusLine_->say(qtText(textWith(texts_, kTextReviewWritten, {coreText(path)})));
    if (const std::string& failure = report.files.front().failure; !failure.empty())
        document_.sink().inform(textWith(texts_, kTextReviewWithFailures, {failure}), MessageIcon::Exclamation);
    return true;
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
    // The report compares files: the document's only while it is as saved.
    const QString myPath = document.isModified() ? QString() : document.filePath();
    auto* window = new CompareWindow(document, {myName, std::move(mine), myPath},
        {QFileInfo(path).fileName(), std::move(*other.inputs), path}, parent);
    window->show();
    return window;
}

} // namespace kestrel::gui
