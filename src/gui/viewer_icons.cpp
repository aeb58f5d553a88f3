#include "gui/viewer_icons.h"

#include <array>

// The resources live in a static library: they are registered on first use.
// (Q_INIT_RESOURCE must stand outside any namespace.)
static void registerViewerIcons()
{
    Q_INIT_RESOURCE(viewer_icons);
}

namespace kestrel::gui {

namespace {

QIcon loadIcon(ViewerIcon icon)
{
    switch (icon) {
    case ViewerIcon::Copy: return QIcon(QStringLiteral(":/viewers/icons/viewers/copy.svg"));
    case ViewerIcon::Find: return QIcon(QStringLiteral(":/viewers/icons/viewers/find.svg"));
    case ViewerIcon::FindAgain: return QIcon(QStringLiteral(":/viewers/icons/viewers/find_again.svg"));
    case ViewerIcon::Help: return QIcon(QStringLiteral(":/viewers/icons/viewers/help.svg"));
    case ViewerIcon::Accuracy: return QIcon(QStringLiteral(":/viewers/icons/viewers/accuracy.svg"));
    case ViewerIcon::Save: return QIcon(QStringLiteral(":/viewers/icons/viewers/save.svg"));
    case ViewerIcon::Print: return QIcon(QStringLiteral(":/viewers/icons/viewers/print.svg"));
    case ViewerIcon::Clear: return QIcon(QStringLiteral(":/viewers/icons/viewers/clear.svg"));
    }
    return {};
}

} // namespace

QIcon viewerIcon(ViewerIcon icon)
{
    // Each picture is read and drawn once: the windows open again and
    // again. The icons live as long as the program (never destroyed, so
    // never after the application object).
    static const auto* icons = [] {
        registerViewerIcons();
        auto* loaded = new std::array<QIcon, 8>;
        for (std::size_t i = 0; i < loaded->size(); ++i)
            (*loaded)[i] = loadIcon(static_cast<ViewerIcon>(i));
        return loaded;
    }();
    return (*icons)[static_cast<std::size_t>(icon)];
}

} // namespace kestrel::gui
