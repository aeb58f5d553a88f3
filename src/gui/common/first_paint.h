#pragma once
// The moment a window has first been painted and put on the screen: work
// that the user does not see at once (the program's icon for the task bar)
// waits for it, and the window start-up benchmark measures up to it.
#include <QWidget>

#include <functional>

namespace kestrel::gui {

// Runs work once the shown window has been painted for the first time.
// Call after show() and before the event loop runs.
void afterFirstPaint(QWidget& window, std::function<void()> work);

// With KESTREL_FIRST_PAINT_FILE set, the first paint of the window is
// reported in that file and the program quits; without it nothing is
// installed, so the program starts exactly as it otherwise does. The file
// holds one line: the monotonic clock (the clock every process of the
// machine shares) and the processor time the process had used by then,
// both in nanoseconds. Call after show() and before the event loop runs.
inline constexpr char kFirstPaintFileVariable[] = "KESTREL_FIRST_PAINT_FILE";
void reportFirstPaintIfAsked(QWidget& window);

} // namespace kestrel::gui
