#pragma once
// Every help and accuracy-file opener works the same way: it names the
// file to preselect in the shared Viewer_File and shows the viewer modally,
// with its own button disabled while the viewer is open.
#include "gui/help/viewer_context.h"

#include <string_view>

class QAbstractButton;
class QWidget;

namespace kestrel::gui {

// An empty file keeps the file chosen before (Reference help on a comment
// line). The Scopes page's help stays above all other windows.
void openHelpViewer(const ViewerContext& context, std::string_view file, QWidget* parent,
    QAbstractButton* button = nullptr, bool onTop = false);
// The accuracy-file viewer stays above all other windows.
void openAccuracyViewer(
    const ViewerContext& context, std::string_view file, QWidget* parent, QAbstractButton* button = nullptr);

} // namespace kestrel::gui
