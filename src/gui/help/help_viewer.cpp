#include "gui/help/help_viewer.h"

#include "core/base/text_util.h"
#include "core/i18n/text_numbers.h"
#include "core/viewers/file_lists.h"
#include "core/viewers/help_files.h"
#include "core/viewers/viewer_layout.h"
#include "gui/common/control_texts.h"
#include "gui/common/file_paths.h"
#include "gui/common/twips.h"
#include "gui/common/window_placement.h"
#include "gui/common/window_texts.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QVBoxLayout>

namespace kestrel::gui {
namespace {

QWidget* titledPane(QWidget* parent, QLabel* title, QPlainTextEdit* pane)
{
    auto* box = new QWidget(parent);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(title);
    layout->addWidget(pane, 1);
    return box;
}

QLabel* paneTitle(QWidget* parent, const QString& name)
{
    auto* title = new QLabel(parent);
    nameControl(title, name);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    // The title follows the file shown: a long translation of it is cut
    // short rather than widen the window.
    title->setMinimumWidth(1);
    return title;
}

// A pane's title names the file it shows; screen readers hear that title
// for the pane too, and the list's caption while the pane shows nothing.
void setPaneTitle(QLabel* title, QPlainTextEdit* pane, const QString& text, const QString& empty)
{
    title->setText(text);
    pane->setAccessibleName(text.isEmpty() ? empty : text);
}

} // namespace

HelpViewer::HelpViewer(const ViewerContext& context, QWidget* parent)
    : FileViewerDialog(context, listFiles(filesystemPath(context.helpDir), kHelpPattern), kTextHelpFile, parent)
{
    setObjectName(QStringLiteral("frmDual_Help"));
    buildControls();
    setMinimumSize(pixelsFromTwips(kHelpViewerMinWidth), pixelsFromTwips(kHelpViewerMinHeight));
    restoreHelpPlacement(this, fullLineWidth(upperPane_));

    // The file named by Viewer_File, else the first; a name the list does
    // not hold leaves nothing selected and the panes empty.
    const std::string wanted = trim(context_.state.viewerFile);
    const int row = wanted.empty() ? (files_.empty() ? -1 : 0) : findListEntry(files_, wanted);
    fileList_->setCurrentRow(row);
    connect(fileList_, &QListWidget::currentRowChanged, this, &HelpViewer::openSelected);
}

void HelpViewer::buildControls()
{
    upperPane_ = makeTextPane(QStringLiteral("Text1"));
    lowerPane_ = makeTextPane(QStringLiteral("Text2"));
    upperTitle_ = paneTitle(this, QStringLiteral("FSC_HelpFilename"));
    lowerTitle_ = paneTitle(this, QStringLiteral("AUX_FSC_HelpFilename"));
    activePane_ = upperPane_;
    upperPane_->installEventFilter(this);
    lowerPane_->installEventFilter(this);

    splitter_ = new QSplitter(Qt::Vertical, this);
    nameControl(splitter_, QStringLiteral("picSplitter"));
    // Dragging shows a bar; the panes follow when it is released.
    splitter_->setOpaqueResize(false);
    splitter_->setChildrenCollapsible(false);
    upper_ = titledPane(splitter_, upperTitle_, upperPane_);
    lower_ = titledPane(splitter_, lowerTitle_, lowerPane_);
    splitter_->addWidget(upper_);
    splitter_->addWidget(lower_);
    nameControl(splitter_->handle(1), QStringLiteral("imgSplitter"));
    setPaneTitle(upperTitle_, upperPane_, {}, withoutAccessKey(listCaption_->text()));
    setPaneTitle(lowerTitle_, lowerPane_, {}, withoutAccessKey(listCaption_->text()));

    QWidget* list = listColumn();
    list->setFixedWidth(pixelsFromTwips(kHelpListWidth));
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list);
    layout->addWidget(splitter_, 1);
}

void HelpViewer::showEvent(QShowEvent* event)
{
    FileViewerDialog::showEvent(event);
    if (!firstActivation_)
        return;
    firstActivation_ = false;
    // The splitter bar starts at half the window's height.
    const int upper = std::max(0, height() / 2 - splitter_->y());
    splitter_->setSizes({upper, std::max(0, splitter_->height() - upper)});
    keepSplitterInBounds();
    // The text has the focus: a list taking it would choose its first entry.
    upperPane_->setFocus();
    openSelected();
}

void HelpViewer::resizeEvent(QResizeEvent* event)
{
    FileViewerDialog::resizeEvent(event);
    keepSplitterInBounds();
}

void HelpViewer::keepSplitterInBounds()
{
    // The bar stays 1500 twips from the window's top and bottom edges.
    const int margin = pixelsFromTwips(kSplitterMargin);
    const int top = splitter_->y();
    const int bottom = top + splitter_->height();
    upper_->setMinimumHeight(std::max(0, margin - top));
    lower_->setMinimumHeight(std::max(0, bottom - (height() - margin) - splitter_->handleWidth()));
}

void HelpViewer::openSelected()
{
    QListWidgetItem* item = fileList_->currentItem();
    if (!item)
        return;
    const std::string name = coreText(item->text());
    const std::filesystem::path folder = filesystemPath(context_.helpDir);
    const auto path = findFileNoCase(folder, name);
    if (opensOutsideViewer(name)) {
        // The panes empty only when the desktop took the file: without a
        // program for it the user is told, and what was shown stays.
        if (!path || !context_.openOutside(qtPath(*path))) {
            context_.sink.inform(textWith(context_.texts, kTextNoProgramOpens, {name}));
            return;
        }
        upperPane_->clear();
        setPaneTitle(upperTitle_, upperPane_, {}, withoutAccessKey(listCaption_->text()));
        hideTwin();
        return;
    }
    const std::optional<std::string> text = path ? readTextFile(*path) : std::nullopt;
    if (!text)
        return; // a file that has gone leaves the panes as they were
    upperPane_->setPlainText(qtText(*text));
    setPaneTitle(upperTitle_, upperPane_, qtText(helpPaneTitle(name, context_.texts)), {});
    showTwin(name);
    fileOpened();
}

void HelpViewer::showTwin(const std::string& fileName)
{
    const auto twin = findFileNoCase(filesystemPath(context_.helpDir), twinHelpFile(fileName));
    const std::optional<std::string> text = twin ? readTextFile(*twin) : std::nullopt;
    if (!text) {
        hideTwin();
        return;
    }
    lowerPane_->setPlainText(qtText(*text));
    setPaneTitle(lowerTitle_, lowerPane_, qtText(twinPaneTitle(fileName, context_.texts)), {});
    lower_->show();
}

void HelpViewer::hideTwin()
{
    lowerPane_->clear();
    setPaneTitle(lowerTitle_, lowerPane_, {}, withoutAccessKey(listCaption_->text()));
    lower_->hide(); // and the splitter bar with it: the upper pane takes the room
    if (activePane_ == lowerPane_)
        activePane_ = upperPane_;
}

bool HelpViewer::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn && (watched == upperPane_ || watched == lowerPane_))
        activePane_ = static_cast<QPlainTextEdit*>(watched);
    return FileViewerDialog::eventFilter(watched, event);
}

} // namespace kestrel::gui
