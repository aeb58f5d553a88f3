#include "gui/viewer_icons.h"

#include "gui/svg_icon.h"

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

} // namespace kestrel::gui
