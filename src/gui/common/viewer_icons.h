#pragma once
// The secondary windows' tool-button pictures (pictures.cmake), and
// the flat, named tool buttons that show them.
#include <QIcon>

class QToolButton;
class QWidget;

namespace kestrel::gui {

enum class ViewerIcon { Copy, Find, FindAgain, Help, Accuracy, Save, Print, Clear };

QIcon viewerIcon(ViewerIcon icon);

QToolButton* toolButton(QWidget* parent, const QString& objectName, const QIcon& icon);

} // namespace kestrel::gui
