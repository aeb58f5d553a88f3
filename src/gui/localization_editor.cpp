#include "gui/localization_editor.h"

#include "gui/caption_fitting.h"
#include "core/base/atomic_file.h"
#include "core/base/local_date.h"
#include "core/base/small_file.h"
#include "core/i18n/localization_file.h"
#include "core/i18n/localization_print.h"
#include "core/i18n/text_numbers.h"
#include "core/i18n/translation_table.h"
#include "gui/control_texts.h"
#include "gui/file_paths.h"
#include "gui/localization_printout.h"
#include "gui/localization_table_model.h"
#include "gui/picture_icon.h"
#include "gui/text_pane_search.h"
#include "gui/viewer_icons.h"
#include "gui/wait_cursor.h"
#include "gui/window_texts.h"

#include <QApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
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

#include <exception>
#include <optional>

namespace kestrel::gui {
namespace {

// A spreadsheet file holds a few hundred short lines; anything far larger
// is not one.
constexpr std::uintmax_t kMaxImportSize = 4 * 1024 * 1024;

// The local text's field holds 128 characters.
class LocalTextDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            line->setMaxLength(static_cast<int>(kMaxLocalTextLength));
        return editor;
    }
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

    model_ = new LocalizationTableModel(EditTable(fileTexts(document_.session(), sink_)), this);
    auto* grid = new LocalizationGrid(this);
    grid_ = grid;
    grid_->setObjectName(QStringLiteral("Grid"));
    grid_->setModel(model_);
    grid_->setItemDelegateForColumn(LocalizationTableModel::LocalColumn, new LocalTextDelegate(grid_));
    grid_->setAccessibleName(document_.text(kTextLocalizerTitle));
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                           QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    grid_->setWordWrap(false);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 8);
    QHeaderView* header = grid_->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSectionResizeMode(LocalizationTableModel::NumberColumn, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(LocalizationTableModel::EnglishColumn, QHeaderView::Interactive);
    header->setStretchLastSection(true);
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
    // The spreadsheet round trip has no text numbers: its tooltips stay English.
    QToolButton* exportButton = toolButton(strip, QStringLiteral("cmdExport"), pictureIcon(QStringLiteral("table_export")));
    gui::setToolTip(exportButton, tr("Export to a spreadsheet file (tab-separated)"));
    QToolButton* importButton = toolButton(strip, QStringLiteral("cmdImport"), pictureIcon(QStringLiteral("table_import")));
    gui::setToolTip(importButton, tr("Import from a spreadsheet file (tab-separated)"));
    for (QToolButton* b : {save_, print, search})
        row->addWidget(b);
    row->addSpacing(12);
    row->addWidget(exportButton);
    row->addWidget(importButton);
    row->addStretch(1);

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

void LocalizationEditor::localEdited(const QString& text)
{
    if (editMakesDirty(dirty_, text.toStdString()))
        setDirty(true);
}

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
    const SaveOutcome outcome =
        saveLocalTexts(model_->table(), document_.session().texts, document_.session().localizationFiles(), sink_, writing);
    if (wait) {
        wait.reset();
        // The green lingers a moment, so the translator sees the file written.
        QTimer::singleShot(500, save_, [button = save_] { button->setStyleSheet(QString()); });
    }
    grid_->setUpdatesEnabled(true);
    if (outcome == SaveOutcome::Saved) {
        emit saved();
        setDirty(false);
    }
    return outcome;
}

void LocalizationEditor::done(int result)
{
    if (dirty_) {
        const MessageAnswer answer =
            sink_.show({document_.texts().gettext(kTextSaveChangesBeforeExiting), {}, MessageButtons::YesNoCancel, MessageIcon::Question});
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
    if (writeFileAtomically(filesystemPath(path), writeTranslationTable(model_->table()), error))
        return true;
    sink_.inform(errorReport(document_.texts(), " export ", error));
    return false;
}

bool LocalizationEditor::importFrom(const QString& path)
{
    const auto refuse = [&](const std::string& why) {
        sink_.inform(errorReport(document_.texts(), " import ", coreText(path) + ": " + why));
        return false;
    };
    // A folder, a device or a pipe is refused before it is read.
    const SmallFile file = readSmallFile(filesystemPath(path), kMaxImportSize);
    if (file.status == SmallFileStatus::TooLarge)
        return refuse(file.problem + ", too large for a translation table");
    if (file.status != SmallFileStatus::Read)
        return refuse(file.problem);
    const TranslationImport read = readTranslationTable(file.content);
    if (!read.error.empty())
        return refuse(read.error);
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
    return printLocalizationTable(printer, model_->table(),
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
        sink_.inform(std::string("Error: ") + e.what());
    }
}

void LocalizationEditor::askExport()
{
    const QString name = QString::fromStdString(
        "Kestrel_" + std::to_string(document_.session().locale.userDefaultLanguage) + ".tsv");
    const QString path = QFileDialog::getSaveFileName(this, tr("Export Localization"), name,
                                                      tr("Tab-separated text (*.tsv *.txt);;All files (*)"));
    if (!path.isEmpty())
        exportTo(path);
}

void LocalizationEditor::askImport()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Import Localization"), QString(),
                                                      tr("Tab-separated text (*.tsv *.txt);;All files (*)"));
    if (!path.isEmpty())
        importFrom(path);
}

void LocalizationEditor::askSearch()
{
    if (const auto needle = askSearchText(this, document_.text(kTextEnterSearchString), lastSearch_)) {
        lastSearch_ = *needle;
        findNext(*needle);
    }
}

} // namespace kestrel::gui
