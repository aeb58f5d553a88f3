#include "gui/help/accuracy_file_viewer.h"

#include "core/base/text_util.h"
#include "core/i18n/text_numbers.h"
#include "core/viewers/file_lists.h"
#include "core/viewers/viewer_layout.h"
#include "gui/common/file_paths.h"
#include "gui/common/twips.h"
#include "gui/common/window_placement.h"
#include "gui/common/window_texts.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSplitter>

namespace kestrel::gui {

AccuracyFileViewer::AccuracyFileViewer(const ViewerContext& context, QWidget* parent)
    : FileViewerDialog(context, listFiles(filesystemPath(context.accDir), kAccuracyPattern), kTextAccuracyFile, parent)
{
    setObjectName(QStringLiteral("frmAccFile_Viewer"));
    Text1_ = makeTextPane(QStringLiteral("Text1"));

    // The list and the text share the width; the bar between them moves.
    picSplitter_ = new QSplitter(Qt::Horizontal, this);
    nameControl(picSplitter_, QStringLiteral("picSplitter"));
    picSplitter_->setOpaqueResize(false);
    picSplitter_->setChildrenCollapsible(false);
    picSplitter_->addWidget(listColumn());
    picSplitter_->addWidget(Text1_);
    picSplitter_->setStretchFactor(1, 1);
    picSplitter_->setSizes({pixelsFromTwips(kHelpListWidth), pixelsFromTwips(4600)});
    nameControl(picSplitter_->handle(1), QStringLiteral("imgSplitter"));
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(picSplitter_);

    restoreHelpPlacement(this, fullLineWidth(Text1_));
    connect(File1_, &QListWidget::currentRowChanged, this, &AccuracyFileViewer::openSelected);
}

bool AccuracyFileViewer::event(QEvent* event)
{
    const bool handled = FileViewerDialog::event(event);
    // The text has the focus: a list taking it would choose its first entry.
    if (event->type() == QEvent::Show)
        Text1_->setFocus();
    // Each activation opens the file Viewer_File names, then forgets it.
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show) {
        const std::string wanted = trim(context_.state.viewerFile);
        if (!wanted.empty()) {
            context_.state.viewerFile.clear();
            File1_->setCurrentRow(findListEntry(files_, wanted));
        }
    }
    return handled;
}

void AccuracyFileViewer::openSelected()
{
    QListWidgetItem* item = File1_->currentItem();
    if (!item)
        return;
    const std::filesystem::path path = filesystemPath(context_.accDir) / filesystemPath(item->text());
    const std::optional<std::string> text = readTextFile(path);
    if (!text) {
        context_.sink.inform(errorReport(context_.texts, " open accuracy file ", coreText(qtPath(path))));
        return;
    }
    Text1_->setPlainText(qtText(*text));
    Text1_->setAccessibleName(item->text()); // the file it shows, as the list says
    fileOpened();
    Text1_->setFocus();
}

} // namespace kestrel::gui
