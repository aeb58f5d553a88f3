#include "gui/common/window_placement.h"

#include "core/viewers/viewer_layout.h"
#include "gui/common/caption_fitting.h"
#include "gui/common/twips.h"
#include "gui/common/window_texts.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

#include <algorithm>

namespace kestrel::gui {
namespace {

QString key(const char* name) { return qtText(kHelpSettingsGroup) + QLatin1Char('/') + QLatin1String(name); }

} // namespace

void restoreHelpPlacement(QWidget* window, int fullLineWidth)
{
    // Long translations of the captions must not widen the window past
    // the screen.
    fitCaptions(window);
    const HelpWindowPlacement defaults;
    QSettings settings;
    // The first time, wide enough for a whole line of the files.
    const int defaultWidth = std::max(pixelsFromTwips(defaults.width), fullLineWidth);
    const int width =
        settings.contains(key("MainWidth")) ? pixelsFromTwips(settings.value(key("MainWidth")).toInt()) : defaultWidth;
    QRect wanted(pixelsFromTwips(settings.value(key("MainLeft"), defaults.left).toInt()),
        pixelsFromTwips(settings.value(key("MainTop"), defaults.top).toInt()), width,
        pixelsFromTwips(settings.value(key("MainHeight"), defaults.height).toInt()));
    wanted.setSize(wanted.size().expandedTo(window->minimumSize()));
    // A screen that has gone since (a second monitor) must not hide the
    // window, and the window never reaches past the screen's edges.
    const QScreen* screen = QGuiApplication::screenAt(wanted.topLeft());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        wanted.setSize(wanted.size().boundedTo(area.size()));
        if (!area.contains(wanted.topLeft()))
            wanted.moveTopLeft(area.topLeft());
        wanted.moveRight(std::min(wanted.right(), area.right()));
        wanted.moveBottom(std::min(wanted.bottom(), area.bottom()));
    }
    window->resize(wanted.size());
    window->move(wanted.topLeft());
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
