#pragma once
// The secondary windows' tool-button pictures (SVG, in kestrel.qrc).
#include <QIcon>

namespace kestrel::gui {

enum class ViewerIcon { Copy, Find, FindAgain, Help, Accuracy, Save, Print, Clear };

QIcon viewerIcon(ViewerIcon icon);

} // namespace kestrel::gui
