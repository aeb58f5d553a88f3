#include "gui/common/viewer_icons.h"

#include "gui/common/picture_icon.h"
#include "gui/common/window_texts.h"

#include <QToolButton>

namespace kestrel::gui {

QIcon viewerIcon(ViewerIcon icon)
{
    // Each picture is read once, however often the windows open again.
    switch (icon) {
    case ViewerIcon::Copy:
        return pictureIcon(QStringLiteral("copy"));
    case ViewerIcon::Find:
        return pictureIcon(QStringLiteral("find"));
    case ViewerIcon::FindAgain:
        return pictureIcon(QStringLiteral("find_again"));
    case ViewerIcon::Help:
        return pictureIcon(QStringLiteral("help"));
    case ViewerIcon::Accuracy:
        return pictureIcon(QStringLiteral("accuracy"));
    case ViewerIcon::Save:
        return pictureIcon(QStringLiteral("save"));
    case ViewerIcon::Print:
        return pictureIcon(QStringLiteral("print"));
    case ViewerIcon::Clear:
        return pictureIcon(QStringLiteral("clear"));
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
