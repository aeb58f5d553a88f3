#include "gui/help/file_viewer_dialog.h"

#include "gui/common/control_texts.h"

#include "core/i18n/text_numbers.h"
#include "core/viewers/viewer_layout.h"
#include "gui/common/text_pane_search.h"
#include "gui/common/twips.h"
#include "gui/common/viewer_icons.h"
#include "gui/common/window_placement.h"
#include "gui/common/window_texts.h"

#include <QAction>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtMath>

#include <algorithm>

namespace kestrel::gui {
namespace {

QToolButton* searchButton(QWidget* parent, const QString& objectName, ViewerIcon icon)
{
    QToolButton* button = toolButton(parent, objectName, viewerIcon(icon));
    button->setEnabled(false);
    return button;
}

} // namespace

FileViewerDialog::FileViewerDialog(
    const ViewerContext& context, std::vector<std::string> files, int labelText, QWidget* parent)
    : QDialog(parent), context_(context), files_(std::move(files))
{
    fileList_ = new QListWidget(this);
    nameControl(fileList_, QStringLiteral("File1"));
    for (const std::string& file : files_)
        fileList_->addItem(qtText(file));
    listCaption_ = new QLabel(this);
    nameControl(listCaption_, QStringLiteral("Label1"));
    listCaption_->setBuddy(fileList_);
    setCaption(listCaption_, context_.texts, labelText);
    setWindowTitle(listCaption_->text());
    searchButton_ = searchButton(this, QStringLiteral("cmdSearch"), ViewerIcon::Find);
    searchAgainButton_ = searchButton(this, QStringLiteral("cmd_SearchAgain"), ViewerIcon::FindAgain);
    gui::setToolTip(searchButton_, context_.texts, kTextFind);
    gui::setToolTip(searchAgainButton_, context_.texts, kTextFindAgain);
    connect(searchButton_, &QToolButton::clicked, this, &FileViewerDialog::search);
    connect(searchAgainButton_, &QToolButton::clicked, this, &FileViewerDialog::searchAgain);

    const auto addKey = [this](const QKeySequence& key, void (FileViewerDialog::*slot)()) {
        auto* action = new QAction(this);
        action->setShortcut(key);
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
    };
    addKey(QKeySequence(Qt::Key_F3), &FileViewerDialog::searchAgain);
    addKey(QKeySequence::Find, &FileViewerDialog::search);
}

QPlainTextEdit* FileViewerDialog::makeTextPane(const QString& objectName)
{
    auto* pane = new QPlainTextEdit(this);
    pane->setObjectName(objectName);
    // Heard by the list's caption until it shows a file, then by the file.
    pane->setAccessibleName(withoutAccessKey(listCaption_->text()));
    pane->setReadOnly(true);
    pane->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    pane->setUndoRedoEnabled(false);
    pane->setFont(procedureFont());
    pane->setLineWrapMode(QPlainTextEdit::NoWrap);
    return pane;
}

int FileViewerDialog::fullLineWidth(const QPlainTextEdit* pane) const
{
    const int text = QFontMetrics(pane->font()).horizontalAdvance(QString(kHelpFileLineLength, QLatin1Char('M')));
    const int paneEdges = 2 * pane->frameWidth() + 2 * qCeil(pane->document()->documentMargin()) +
        pane->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, pane);
    const QMargins margins = layout() ? layout()->contentsMargins() : QMargins();
    const int spacing = layout() ? std::max(layout()->spacing(), 6) : 6;
    return margins.left() + pixelsFromTwips(kHelpListWidth) + spacing + paneEdges + text + margins.right();
}

QWidget* FileViewerDialog::listColumn()
{
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(searchButton_);
    buttons->addWidget(searchAgainButton_);
    buttons->addStretch();
    layout->addLayout(buttons);
    // One rule for both viewers: the list's caption never widens the
    // column (a long translation is cut short, its whole text a tooltip);
    // the column starts kHelpListWidth wide and the text pane has the rest.
    listCaption_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    layout->addWidget(listCaption_);
    layout->addWidget(fileList_, 1);
    return column;
}

void FileViewerDialog::fileOpened()
{
    searchButton_->setEnabled(true);
    searchAgainButton_->setEnabled(false);
}

void FileViewerDialog::search()
{
    QPlainTextEdit* pane = searchPane();
    const QString offered = pane->textCursor().selectedText().trimmed();
    const std::optional<QString> answer =
        askSearchText(this, textOf(context_.texts, kTextEnterSearchStringPrompt), offered, context_.texts);
    if (!answer)
        return;
    searchText_ = answer->toLower();
    find(pane, 0);
}

void FileViewerDialog::searchAgain()
{
    if (searchText_.isEmpty()) {
        searchAgainButton_->setEnabled(false);
        search();
        return;
    }
    QPlainTextEdit* pane = searchPane();
    find(pane, pane->textCursor().selectionStart() + 1);
}

void FileViewerDialog::find(QPlainTextEdit* pane, int from)
{
    const bool found = findAndSelect(pane, searchText_, from);
    searchAgainButton_->setEnabled(found);
    if (found)
        pane->setFocus();
    else
        context_.sink.inform(context_.texts.gettext(kTextSearchFailedMessage));
}

void FileViewerDialog::done(int result)
{
    saveHelpPlacement(this);
    QDialog::done(result);
}

} // namespace kestrel::gui
