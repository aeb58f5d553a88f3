#include "gui/viewer_icons.h"

#include "gui/svg_icon.h"
#include "gui/window_texts.h"

#include <QToolButton>

namespace kestrel::gui {

QIcon viewerIcon(ViewerIcon icon)
{
    // Each picture is read once, however often the windows open again.
    switch (icon) {
    case ViewerIcon::Copy: return svgIcon(QStringLiteral("copy.svg"));
    case ViewerIcon::Find: return svgIcon(QStringLiteral("find.svg"));
    case ViewerIcon::FindAgain: return svgIcon(QStringLiteral("find_again.svg"));
    case ViewerIcon::Help: return svgIcon(QStringLiteral("help.svg"));
    case ViewerIcon::Accuracy: return svgIcon(QStringLiteral("accuracy.svg"));
    case ViewerIcon::Save: return svgIcon(QStringLiteral("save.svg"));
    case ViewerIcon::Print: return svgIcon(QStringLiteral("print.svg"));
    case ViewerIcon::Clear: return svgIcon(QStringLiteral("clear.svg"));
    }
    return {};
}

QToolButton* toolButton(QWidget* parent, const QString& objectName, const QIcon& icon)
{
    auto* button = new QToolButton(parent);
    nameControl(button, objectName);
    button->setIcon(icon);
    button->setIconSize(QSize(20, 20));
    button->setAutoRaise(true);
    return button;
}

} // namespace kestrel::gui
