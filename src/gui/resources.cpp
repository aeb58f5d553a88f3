#include "gui/resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must stand outside any namespace.
static void registerKestrelQrc() { Q_INIT_RESOURCE(kestrel); }

namespace kestrel::gui {

void registerResources()
{
    static const bool registered = [] {
        registerKestrelQrc();
        return true;
    }();
    (void)registered;
}

} // namespace kestrel::gui
