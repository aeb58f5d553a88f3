#pragma once
// Translations may be far longer than the English captions a window was
// laid out for (a localization allows 128 characters a text). Rather than
// grow past the screen, a window shrinks its captions: each caption control
// still asks for the room of its whole text, but settles for a little, and
// a caption that does not get its room is drawn cut short with "…" and
// shows its whole text as a tooltip.
#include <QSize>

class QApplication;
class QWidget;

namespace kestrel::gui {

// Makes the application's style cut short captions that do not fit and
// show their whole text as a tooltip. Once, before the first window.
void useFittingCaptions(QApplication& app);

// Lets every caption control under root shrink to a small minimum and the
// tab bars elide their tabs rather than scroll. Again after the captions
// change (a localization walk).
void fitCaptions(QWidget* root);

// Fits again the frames that hold control, after its minimum width grew.
void refitFrames(QWidget* control);

// The size a window asks for with every tab shown whole (tab bars that
// cut their tabs short ask only for the room they have).
QSize naturalSizeHint(QWidget* window);

// Sizes a top-level window to preferred (by default what it asks for),
// never below its minimum, within the available area of its screen, and
// moves it wholly onto that area.
void resizeWithinScreen(QWidget* window, QSize preferred = {});

} // namespace kestrel::gui
