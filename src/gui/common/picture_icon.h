#pragma once
// Kestrel's pictures as icons. Each picture is in the program's resources as
// PNG files drawn at build time (pictures.cmake) at every size the window
// draws it and at twice that size, and an icon holds them all: Qt takes the
// size that fits the button and the screen's pixel ratio.
#include <QIcon>
#include <QString>

namespace kestrel::gui {

// name: a picture of pictures.cmake, e.g. "help" or "kestrel".
QIcon pictureIcon(const QString& name);

} // namespace kestrel::gui
