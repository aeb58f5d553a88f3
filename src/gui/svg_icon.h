#pragma once
// Kestrel's SVG pictures as icons. Each file is read once in the life of the
// program, when an icon made from it is first drawn or measured, and each
// size of it is drawn once: a window starts without reading the pictures it
// does not show yet, and the same picture on many buttons is read once.
#include <QIcon>
#include <QString>

namespace kestrel::gui {

// name: a picture of the program's resources (":/icons/NAME"), e.g. "help.svg".
QIcon svgIcon(const QString& name);

} // namespace kestrel::gui
