#include "gui/localization/localization_editor.h"

#include "core/base/atomic_file.h"
#include "core/base/local_date.h"
#include "core/i18n/localization_file.h"
#include "core/i18n/localization_print.h"
#include "core/i18n/text_numbers.h"
#include "core/i18n/translation_table.h"
#include "gui/common/caption_fitting.h"
#include "gui/common/control_texts.h"
#include "gui/common/file_paths.h"
#include "gui/common/picture_icon.h"
#include "gui/common/text_pane_search.h"
#include "gui/common/viewer_icons.h"
#include "gui/common/wait_cursor.h"
#include "gui/common/window_texts.h"
#include "gui/localization/localization_printout.h"
#include "gui/localization/localization_table_model.h"

#include <QApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValidator>

#include <exception>
#include <functional>
#include <optional>

namespace kestrel::gui {
namespace {

// Room around a text number in its column: the cell's margins and the
// header's sort arrow.
constexpr int kNumberColumnMargins = 36;

// The local text's field holds 128 characters (not UTF-16 units, which
// QLineEdit's own length limit counts).
class LocalTextLength : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        qsizetype characters = 0;
        for (const QChar ch : std::as_const(input))
            characters += ch.isLowSurrogate() ? 0 : 1;
        return characters <= static_cast<qsizetype>(kMaxLocalTextLength) ? Acceptable : Invalid;
    }
};

// A key or a paste that would make the local text too long is refused, and
// `refused` says so: the text is never cut without a word.
class LocalTextDelegate : public QStyledItemDelegate {
public:
    LocalTextDelegate(std::function<void()> refused, QObject* parent)
        : QStyledItemDelegate(parent), refused_(std::move(refused))
    {
    }
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            line->setValidator(new LocalTextLength(line));
            QObject::connect(line, &QLineEdit::inputRejected, line, refused_);
        }
        return editor;
    }

private:
    std::function<void()> refused_;
};

// The grid, able to hand over the text being typed before a save.
class LocalizationGrid : public QTableView {
public:
    using QTableView::QTableView;
    void commitPendingEdit()
    {
        if (state() != QAbstractItemView::EditingState)
            return;
        // The open cell editor lives on the viewport.
        for (QWidget* editor : viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!editor->isVisible())
                continue;
            commitData(editor);
            closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }
};

// The file the editor starts from: the one Local_RS was built from.
std::vector<std::pair<int, std::string>> fileTexts(const Session& session, MessageSink& sink)
{
    const auto file = findLocalizationFile(session.localizationCandidates());
    if (!file)
        return {};
    LocalizationReadResult read = readLocalizationFile(*file);
    if (!read.error.empty())
        sink.inform(errorReport(session.texts, " localization editor load ", read.error));
    return std::move(read.texts);
}

PrintStamp now()
{
    const QDateTime moment = QDateTime::currentDateTime();
    const QDate d = moment.date();
    const QTime t = moment.time();
    return {{d.year(), d.month(), d.day()}, t.hour(), t.minute()};
}

} // namespace

LocalizationEditor::LocalizationEditor(Document& document, QWidget* parent)
    : QDialog(parent), document_(document), sink_(this)
{
    setObjectName(QStringLiteral("frm_Localization"));
    setWindowTitle(document_.text(kTextLocalizerTitle));
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    setModal(true);
    setSizeGripEnabled(true);
    // Qt's fonts cover every script a font on the system has glyphs for, so
    // the controls need no font of the locale's character set.

    const Session& session = document_.session();
    model_ = new LocalizationTableModel(
        EditTable(fileTexts(session, sink_), session.locale.userDefaultLanguage), document_.texts(), this);
    auto* grid = new LocalizationGrid(this);
    grid_ = grid;
    grid_->setObjectName(QStringLiteral("Grid"));
    grid_->setModel(model_);
    grid_->setItemDelegateForColumn(
        LocalizationTableModel::LocalColumn, new LocalTextDelegate([this] { say(kTextLocalTextTooLong); }, grid_));
    grid_->setAccessibleName(document_.text(kTextLocalizerTitle));
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
        QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    grid_->setWordWrap(false);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 8);
    QHeaderView* header = grid_->horizontalHeader();
    header->setSectionsClickable(true);
    // The Local Text column, where the translator types, has the room the
    // others leave, and they leave most of it: the Number column is as wide
    // as its numbers and the English column starts at 340 pixels, whatever
    // length the translated column titles have (a title too long for its
    // column is cut short).
    header->setSectionResizeMode(LocalizationTableModel::NumberColumn, QHeaderView::Interactive);
    header->setSectionResizeMode(LocalizationTableModel::EnglishColumn, QHeaderView::Interactive);
    header->setStretchLastSection(true);
    header->setTextElideMode(Qt::ElideRight);
    grid_->setColumnWidth(LocalizationTableModel::NumberColumn,
        grid_->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + kNumberColumnMargins);
    grid_->setColumnWidth(LocalizationTableModel::EnglishColumn, 340);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildButtonStrip());
    layout->addWidget(grid_, 1);

    // 0.8 of the screen's height, wide enough for both texts side by side.
    const QScreen* screen = parent && parent->screen() ? parent->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    fitCaptions(this);
    resizeWithinScreen(this, QSize(std::min(900, available.width()), static_cast<int>(available.height() * 0.8)));

    connect(header, &QHeaderView::sectionClicked, this, [this](int column) {
        commitPendingEdit();
        model_->sortByHeader(column);
    });
    connect(model_, &LocalizationTableModel::localEdited, this, &LocalizationEditor::localEdited);
    connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { say(0); });
}

LocalizationEditor::~LocalizationEditor() = default;

QWidget* LocalizationEditor::buildButtonStrip()
{
    auto* strip = new QWidget(this);
    strip->setObjectName(QStringLiteral("Picture1"));
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(6, 4, 6, 4);
    row->setSpacing(2);
    const TextLookup& texts = document_.texts();
    save_ = toolButton(strip, QStringLiteral("cmdSave"), viewerIcon(ViewerIcon::Save));
    gui::setToolTip(save_, texts, kTextSaveLocalization);
    save_->setEnabled(false);
    save_->setShortcut(QKeySequence::Save);
    QToolButton* print = toolButton(strip, QStringLiteral("PrintPreview"), viewerIcon(ViewerIcon::Print));
    gui::setToolTip(print, texts, kTextPrintLocalization);
    print->setShortcut(QKeySequence::Print);
    QToolButton* search = toolButton(strip, QStringLiteral("cmdSearch"), viewerIcon(ViewerIcon::Find));
    gui::setToolTip(search, texts, kTextFind);
    search->setShortcut(QKeySequence::Find);
    QToolButton* exportButton =
        toolButton(strip, QStringLiteral("cmdExport"), pictureIcon(QStringLiteral("table_export")));
    gui::setToolTip(exportButton, texts, kTextExportTooltip);
    QToolButton* importButton =
        toolButton(strip, QStringLiteral("cmdImport"), pictureIcon(QStringLiteral("table_import")));
    gui::setToolTip(importButton, texts, kTextImportTooltip);
    for (QToolButton* b : {save_, print, search})
        row->addWidget(b);
    row->addSpacing(12);
    row->addWidget(exportButton);
    row->addWidget(importButton);
    row->addSpacing(12);
    // What the editor has to say while the translator types.
    status_ = new QLabel(strip);
    nameControl(status_, QStringLiteral("lbl_Status"));
    row->addWidget(status_, 1);

    connect(save_, &QToolButton::clicked, this, [this] { saveChanges(); });
    connect(print, &QToolButton::clicked, this, &LocalizationEditor::printPreview);
    connect(search, &QToolButton::clicked, this, &LocalizationEditor::askSearch);
    connect(exportButton, &QToolButton::clicked, this, &LocalizationEditor::askExport);
    connect(importButton, &QToolButton::clicked, this, &LocalizationEditor::askImport);
    return strip;
}

void LocalizationEditor::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The translator starts in the local-text column.
    grid_->setFocus();
    const int row = std::max(0, grid_->currentIndex().row());
    grid_->setCurrentIndex(model_->index(row, LocalizationTableModel::LocalColumn));
}

void LocalizationEditor::localEdited(bool changesSave)
{
    say(0);
    if (changesSave)
        setDirty(true);
}

void LocalizationEditor::say(int textNumber) { status_->setText(textNumber ? document_.text(textNumber) : QString()); }

void LocalizationEditor::setDirty(bool dirty)
{
    dirty_ = dirty;
    save_->setEnabled(dirty);
}

void LocalizationEditor::commitPendingEdit() { static_cast<LocalizationGrid*>(grid_)->commitPendingEdit(); }

SaveOutcome LocalizationEditor::saveChanges()
{
    commitPendingEdit();
    grid_->setUpdatesEnabled(false);
    std::optional<WaitCursor> wait; // from the moment the file is written
    const auto writing = [this, &wait] {
        save_->setStyleSheet(QStringLiteral("background-color: #00ff00;"));
        save_->repaint();
        wait.emplace();
    };
    const SaveOutcome outcome = saveLocalTexts(
        model_->table(), document_.session().texts, document_.session().localizationFiles(), sink_, writing);
    if (wait) {
        wait.reset();
        // The green lingers a moment, so the translator sees the file written.
        QTimer::singleShot(500, save_, [button = save_] { button->setStyleSheet(QString()); });
    }
    grid_->setUpdatesEnabled(true);
    switch (outcome) {
    case SaveOutcome::Saved:
        emit saved();
        setDirty(false);
        break;
    case SaveOutcome::Removed:
        emit removed();
        setDirty(false);
        break;
    case SaveOutcome::NothingToSave: // no text and no file: nothing differs from what is stored
        setDirty(false);
        break;
    case SaveOutcome::Cancelled:
    case SaveOutcome::Failed:
        break;
    }
    return outcome;
}

void LocalizationEditor::done(int result)
{
    if (dirty_) {
        const MessageAnswer answer = sink_.show({document_.texts().gettext(kTextSaveChangesBeforeExiting), {},
            MessageButtons::YesNoCancel, MessageIcon::Question});
        if (answer == MessageAnswer::Cancel)
            return;
        // A save that was refused or failed keeps the window open, so the
        // edits are not lost on the way out.
        if (answer == MessageAnswer::Yes) {
            const SaveOutcome outcome = saveChanges();
            if (outcome == SaveOutcome::Cancelled || outcome == SaveOutcome::Failed)
                return;
        }
    }
    QDialog::done(result);
}

bool LocalizationEditor::exportTo(const QString& path)
{
    std::string error;
    if (writeTranslationTableFile(filesystemPath(path), model_->table(), error))
        return true;
    sink_.inform(errorReport(document_.texts(), " export ", error));
    return false;
}

bool LocalizationEditor::importFrom(const QString& path)
{
    const TranslationImport read = readTranslationTableFile(filesystemPath(path));
    if (!read.error.empty()) {
        sink_.inform(errorReport(document_.texts(), " import ", coreText(path) + ": " + read.error));
        return false;
    }
    commitPendingEdit();
    if (model_->setLocals(read.locals))
        setDirty(true);
    return true;
}

bool LocalizationEditor::findNext(const QString& needle)
{
    const auto from = static_cast<std::size_t>(std::max(0, grid_->currentIndex().row()));
    const auto row = model_->table().findRow(needle.toStdString(), from);
    if (!row) {
        sink_.inform(document_.texts().gettext(kTextSearchFailed));
        return false;
    }
    grid_->setCurrentIndex(model_->index(static_cast<int>(*row), LocalizationTableModel::LocalColumn));
    grid_->scrollTo(grid_->currentIndex());
    return true;
}

int LocalizationEditor::paintPages(QPrinter& printer) const
{
    const Session& s = document_.session();
    return printLocalizationTable(printer, model_->table(), model_->columnTitles(),
        QString::fromStdString(printStampText(now(), s.locale.userDefaultLcid)));
}

void LocalizationEditor::printPreview()
{
    // Nothing to print without rows (the table always has them, but a
    // print-out of nothing would be a blank sheet).
    if (model_->rowCount() == 0)
        return;
    try {
        commitPendingEdit();
        QPrinter printer(QPrinter::HighResolution);
        QPrintDialog dialog(&printer, this);
        dialog.setMinMax(1, 1000);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
        dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
        // Cancelling the printer's choice ends the command quietly.
        if (dialog.exec() != QDialog::Accepted)
            return;
        QPrintPreviewDialog preview(&printer, this);
        preview.setWindowTitle(QStringLiteral("Kestrel..."));
        preview.setWindowFlag(Qt::WindowStaysOnTopHint, true);
        connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) {
            const WaitCursor wait;
            paintPages(*p);
        });
        preview.exec();
    } catch (const std::exception& e) {
        sink_.inform(errorReport(document_.texts(), " print localization ", e.what()));
    }
}

QString LocalizationEditor::fileFilter() const
{
    // The patterns stay out of the texts, so a translation cannot break them.
    return document_.text(kTextTabSeparatedFiles) + QStringLiteral(" (*.tsv *.txt);;") +
        document_.text(kTextAllFilesName) + QStringLiteral(" (*)");
}

void LocalizationEditor::askExport()
{
    const QString name =
        QString::fromStdString("Kestrel_" + std::to_string(document_.session().locale.userDefaultLanguage) + ".tsv");
    const QString path = QFileDialog::getSaveFileName(this, document_.text(kTextExportTitle), name, fileFilter());
    if (!path.isEmpty())
        exportTo(path);
}

void LocalizationEditor::askImport()
{
    const QString path = QFileDialog::getOpenFileName(this, document_.text(kTextImportTitle), QString(), fileFilter());
    if (!path.isEmpty())
        importFrom(path);
}

void LocalizationEditor::askSearch()
{
    if (const auto needle =
            askSearchText(this, document_.text(kTextEnterSearchString), lastSearch_, document_.texts())) {
        lastSearch_ = *needle;
        findNext(*needle);
    }
}

} // namespace kestrel::gui
