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
    restoreHelpPlacement(this, fullLineWidth(Text1_));

    // The file named by Viewer_File, else the first; a name the list does
    // not hold leaves nothing selected and the panes empty.
    const std::string wanted = trim(context_.state.viewerFile);
    const int row = wanted.empty() ? (files_.empty() ? -1 : 0) : findListEntry(files_, wanted);
    File1_->setCurrentRow(row);
    connect(File1_, &QListWidget::currentRowChanged, this, &HelpViewer::openSelected);
}

void HelpViewer::buildControls()
{
    Text1_ = makeTextPane(QStringLiteral("Text1"));
    Text2_ = makeTextPane(QStringLiteral("Text2"));
    FSC_HelpFilename_ = paneTitle(this, QStringLiteral("FSC_HelpFilename"));
    AUX_FSC_HelpFilename_ = paneTitle(this, QStringLiteral("AUX_FSC_HelpFilename"));
    activePane_ = Text1_;
    Text1_->installEventFilter(this);
    Text2_->installEventFilter(this);

    picSplitter_ = new QSplitter(Qt::Vertical, this);
    nameControl(picSplitter_, QStringLiteral("picSplitter"));
    // Dragging shows a bar; the panes follow when it is released.
    picSplitter_->setOpaqueResize(false);
    picSplitter_->setChildrenCollapsible(false);
    upper_ = titledPane(picSplitter_, FSC_HelpFilename_, Text1_);
    lower_ = titledPane(picSplitter_, AUX_FSC_HelpFilename_, Text2_);
    picSplitter_->addWidget(upper_);
    picSplitter_->addWidget(lower_);
    nameControl(picSplitter_->handle(1), QStringLiteral("imgSplitter"));
    setPaneTitle(FSC_HelpFilename_, Text1_, {}, withoutAccessKey(Label1_->text()));
    setPaneTitle(AUX_FSC_HelpFilename_, Text2_, {}, withoutAccessKey(Label1_->text()));

    QWidget* list = listColumn();
    list->setFixedWidth(pixelsFromTwips(kHelpListWidth));
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list);
    layout->addWidget(picSplitter_, 1);
}

void HelpViewer::showEvent(QShowEvent* event)
{
    FileViewerDialog::showEvent(event);
    if (!firstActivation_)
        return;
    firstActivation_ = false;
    // The splitter bar starts at half the window's height.
    const int upper = std::max(0, height() / 2 - picSplitter_->y());
    picSplitter_->setSizes({upper, std::max(0, picSplitter_->height() - upper)});
    keepSplitterInBounds();
    // The text has the focus: a list taking it would choose its first entry.
    Text1_->setFocus();
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
    const int top = picSplitter_->y();
    const int bottom = top + picSplitter_->height();
    upper_->setMinimumHeight(std::max(0, margin - top));
    lower_->setMinimumHeight(std::max(0, bottom - (height() - margin) - picSplitter_->handleWidth()));
}

void HelpViewer::openSelected()
{
    QListWidgetItem* item = File1_->currentItem();
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
        Text1_->clear();
        setPaneTitle(FSC_HelpFilename_, Text1_, {}, withoutAccessKey(Label1_->text()));
        hideTwin();
        return;
    }
    const std::optional<std::string> text = path ? readTextFile(*path) : std::nullopt;
    if (!text)
        return; // a file that has gone leaves the panes as they were
    Text1_->setPlainText(qtText(*text));
    setPaneTitle(FSC_HelpFilename_, Text1_, qtText(helpPaneTitle(name, context_.texts)), {});
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
    Text2_->setPlainText(qtText(*text));
    setPaneTitle(AUX_FSC_HelpFilename_, Text2_, qtText(twinPaneTitle(fileName, context_.texts)), {});
    lower_->show();
}

void HelpViewer::hideTwin()
{
    Text2_->clear();
    setPaneTitle(AUX_FSC_HelpFilename_, Text2_, {}, withoutAccessKey(Label1_->text()));
    lower_->hide(); // and the splitter bar with it: the upper pane takes the room
    if (activePane_ == Text2_)
        activePane_ = Text1_;
}

bool HelpViewer::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn && (watched == Text1_ || watched == Text2_))
        activePane_ = static_cast<QPlainTextEdit*>(watched);
    return FileViewerDialog::eventFilter(watched, event);
}

} // namespace kestrel::gui
