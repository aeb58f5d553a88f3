#pragma once
// The core counts positions in characters (code points); Qt counts UTF-16
// units. They differ only past a character outside the basic plane.
#include <QString>

#include <cstddef>

namespace kestrel::gui {

int utf16Position(const QString& text, std::size_t characters);
std::size_t characterPosition(const QString& text, int utf16);

} // namespace kestrel::gui
