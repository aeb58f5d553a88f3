#pragma once
// The window library's pictures (pictures.cmake) live in a static library:
// they are registered before the first window uses them.
namespace kestrel::gui {

void registerResources();

} // namespace kestrel::gui
