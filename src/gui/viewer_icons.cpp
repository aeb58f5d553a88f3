#include "gui/viewer_icons.h"

#include "gui/resources.h"
#include "gui/window_texts.h"

#include <QToolButton>

#include <array>

namespace kestrel::gui {
namespace {

QIcon loadIcon(ViewerIcon icon)
{
    switch (icon) {
    case ViewerIcon::Copy: return QIcon(QStringLiteral(":/icons/copy.svg"));
    case ViewerIcon::Find: return QIcon(QStringLiteral(":/icons/find.svg"));
    case ViewerIcon::FindAgain: return QIcon(QStringLiteral(":/icons/find_again.svg"));
    case ViewerIcon::Help: return QIcon(QStringLiteral(":/icons/help.svg"));
    case ViewerIcon::Accuracy: return QIcon(QStringLiteral(":/icons/accuracy.svg"));
    case ViewerIcon::Save: return QIcon(QStringLiteral(":/icons/save.svg"));
    case ViewerIcon::Print: return QIcon(QStringLiteral(":/icons/print.svg"));
    case ViewerIcon::Clear: return QIcon(QStringLiteral(":/icons/clear.svg"));
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
        registerResources();
        auto* loaded = new std::array<QIcon, 8>;
        for (std::size_t i = 0; i < loaded->size(); ++i)
            (*loaded)[i] = loadIcon(static_cast<ViewerIcon>(i));
        return loaded;
    }();
    return (*icons)[static_cast<std::size_t>(icon)];
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
