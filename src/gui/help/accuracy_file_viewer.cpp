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
    textPane_ = makeTextPane(QStringLiteral("Text1"));

    // The list and the text share the width; the bar between them moves.
    splitter_ = new QSplitter(Qt::Horizontal, this);
    nameControl(splitter_, QStringLiteral("picSplitter"));
    splitter_->setOpaqueResize(false);
    splitter_->setChildrenCollapsible(false);
    splitter_->addWidget(listColumn());
    splitter_->addWidget(textPane_);
    splitter_->setStretchFactor(1, 1);
    splitter_->setSizes({pixelsFromTwips(kHelpListWidth), pixelsFromTwips(4600)});
    nameControl(splitter_->handle(1), QStringLiteral("imgSplitter"));
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(splitter_);

    restoreHelpPlacement(this, fullLineWidth(textPane_));
    connect(fileList_, &QListWidget::currentRowChanged, this, &AccuracyFileViewer::openSelected);
}

bool AccuracyFileViewer::event(QEvent* event)
{
    const bool handled = FileViewerDialog::event(event);
    // The text has the focus: a list taking it would choose its first entry.
    if (event->type() == QEvent::Show)
        textPane_->setFocus();
    // Each activation opens the file Viewer_File names, then forgets it.
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show) {
        const std::string wanted = trim(context_.state.viewerFile);
        if (!wanted.empty()) {
            context_.state.viewerFile.clear();
            fileList_->setCurrentRow(findListEntry(files_, wanted));
        }
    }
    return handled;
}

void AccuracyFileViewer::openSelected()
{
    QListWidgetItem* item = fileList_->currentItem();
    if (!item)
        return;
    const std::filesystem::path path = filesystemPath(context_.accDir) / filesystemPath(item->text());
    const std::optional<std::string> text = readTextFile(path);
    if (!text) {
        context_.sink.inform(errorReport(context_.texts, " open accuracy file ", coreText(qtPath(path))));
        return;
    }
    textPane_->setPlainText(qtText(*text));
    textPane_->setAccessibleName(item->text()); // the file it shows, as the list says
    fileOpened();
    textPane_->setFocus();
}

} // namespace kestrel::gui
