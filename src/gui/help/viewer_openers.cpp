#include "gui/help/viewer_openers.h"

#include "gui/help/accuracy_file_viewer.h"
#include "gui/help/help_viewer.h"

#include <QAbstractButton>

namespace kestrel::gui {
namespace {

template <typename Viewer>
void openViewer(
    const ViewerContext& context, std::string_view file, QWidget* parent, QAbstractButton* button, bool onTop)
{
    if (!file.empty())
        context.state.viewerFile = std::string(file);
    if (button)
        button->setEnabled(false);
    {
        Viewer viewer(context, parent);
        if (onTop)
            viewer.setWindowFlag(Qt::WindowStaysOnTopHint, true);
        viewer.exec();
    }
    if (button)
        button->setEnabled(true);
}

} // namespace

void openHelpViewer(
    const ViewerContext& context, std::string_view file, QWidget* parent, QAbstractButton* button, bool onTop)
{
    openViewer<HelpViewer>(context, file, parent, button, onTop);
}

void openAccuracyViewer(const ViewerContext& context, std::string_view file, QWidget* parent, QAbstractButton* button)
{
    openViewer<AccuracyFileViewer>(context, file, parent, button, true);
}

} // namespace kestrel::gui
