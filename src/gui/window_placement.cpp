#include "gui/window_placement.h"

#include "core/viewers/viewer_layout.h"
#include "gui/twips.h"
#include "gui/window_texts.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace kestrel::gui {
namespace {

QString key(const char* name) { return qtText(kHelpSettingsGroup) + QLatin1Char('/') + QLatin1String(name); }

} // namespace

void restoreHelpPlacement(QWidget* window)
{
    const HelpWindowPlacement defaults;
    QSettings settings;
    const QRect wanted(pixelsFromTwips(settings.value(key("MainLeft"), defaults.left).toInt()),
                       pixelsFromTwips(settings.value(key("MainTop"), defaults.top).toInt()),
                       pixelsFromTwips(settings.value(key("MainWidth"), defaults.width).toInt()),
                       pixelsFromTwips(settings.value(key("MainHeight"), defaults.height).toInt()));
    window->resize(wanted.size().expandedTo(window->minimumSize()));
    // A screen that has gone since (a second monitor) must not hide the window.
    const QScreen* screen = QGuiApplication::screenAt(wanted.topLeft());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    QPoint topLeft = wanted.topLeft();
    if (screen && !screen->availableGeometry().contains(topLeft))
        topLeft = screen->availableGeometry().topLeft();
    window->move(topLeft);
}

void saveHelpPlacement(const QWidget* window)
{
    QSettings settings;
    settings.setValue(key("MainLeft"), twipsFromPixels(window->x()));
    settings.setValue(key("MainTop"), twipsFromPixels(window->y()));
    settings.setValue(key("MainWidth"), twipsFromPixels(window->width()));
    settings.setValue(key("MainHeight"), twipsFromPixels(window->height()));
}

} // namespace kestrel::gui
