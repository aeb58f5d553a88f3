#include "gui/viewer_icons.h"

// The resources live in a static library: they are registered on first use.
// (Q_INIT_RESOURCE must stand outside any namespace.)
static void registerViewerIcons()
{
    Q_INIT_RESOURCE(viewer_icons);
}

namespace kestrel::gui {

QIcon viewerIcon(ViewerIcon icon)
{
    static const bool registered = [] {
        registerViewerIcons();
        return true;
    }();
    (void)registered;
    switch (icon) {
    case ViewerIcon::Copy: return QIcon(QStringLiteral(":/viewers/icons/copy.svg"));
    case ViewerIcon::Find: return QIcon(QStringLiteral(":/viewers/icons/find.svg"));
    case ViewerIcon::FindAgain: return QIcon(QStringLiteral(":/viewers/icons/find_again.svg"));
    case ViewerIcon::Help: return QIcon(QStringLiteral(":/viewers/icons/help.svg"));
    case ViewerIcon::Accuracy: return QIcon(QStringLiteral(":/viewers/icons/accuracy.svg"));
    case ViewerIcon::Save: return QIcon(QStringLiteral(":/viewers/icons/save.svg"));
    case ViewerIcon::Print: return QIcon(QStringLiteral(":/viewers/icons/print.svg"));
    case ViewerIcon::Clear: return QIcon(QStringLiteral(":/viewers/icons/clear.svg"));
    }
    return {};
}

} // namespace kestrel::gui
