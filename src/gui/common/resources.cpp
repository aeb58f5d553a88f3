#include "gui/common/resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must stand outside any namespace.
static void registerKestrelPictures() { Q_INIT_RESOURCE(kestrel_pictures); }

namespace kestrel::gui {

void registerResources()
{
    static const bool registered = [] {
        registerKestrelPictures();
        return true;
    }();
    (void)registered;
}

} // namespace kestrel::gui
