#pragma once
// The texts of the main window's controls, by control name: each control
// carries the tag of its text number (1223 for a caption, 1526 with the "T"
// mark for a tooltip), each tab of a tab strip its own number, each menu
// entry the number fixed for its name. Every caption, tooltip, menu entry
// and accessible name of the window comes from a text number here; the one
// fixed caption is the column-delete button's "X", which it shows in every
// language.
//
// walkControlTexts() is Load_Local_Strings, Load_English_Strings and
// Show_Control_Numbers: it visits the table in order and sets what the
// core's walk rules answer for each control's kind.
#include "core/i18n/text_walks.h"
#include "gui/common/window_texts.h" // withoutAccessKey, for the users of both

#include <QString>

#include <span>
#include <string_view>

class QWidget;

namespace kestrel {
class MessageSink;
}

namespace kestrel::gui {

struct ControlText {
    std::string_view objectName;
    ControlKind kind;
    int number = 0;                  // the tag's text number; 0 for none
    bool tooltipMark = false;        // the "T" mark: the number is the tooltip's
    std::string_view fixedCaption{}; // the caption a button with a tooltip's number is built with
};

struct TabTexts {
    std::string_view tabStrip;
    std::span<const int> numbers; // one per tab, in tab order
};

struct MenuText {
    std::string_view entry;
    int number;
};

// The name screen readers use for a list or field without a label.
struct AccessibleText {
    std::string_view objectName;
    int number;
};

// The sample buttons: the sample each loads and its caption's number. Its
// tooltip is the sample's description (SampleDefinition::descriptionText).
struct SampleButton {
    std::string_view sample;
    std::string_view objectName;
    int captionNumber;
};

// The main window's controls and menu entries with their texts, in the
// order the walks visit them.
std::span<const ControlText> mainWindowControlTexts();
std::span<const SampleButton> sampleButtons();
std::span<const MenuText> mainWindowMenuTexts();

// The fixed captions, once, when the window is built.
void applyDesignTexts(QWidget* window);

// One walk over every control, tab and menu entry of the table found under
// `window`; then every named control gets its accessible name. `local` is
// Gettext. A failure ends the walk at that control with a message
// ("Error:" + the walk's label + what went wrong); the controls after it
// keep their texts.
void walkControlTexts(QWidget* window, TextWalk walk, const TextLookup& local, MessageSink& sink);

// Leaving numbers mode: every button and check box whose tag marks a
// tooltip gets back the caption it was built with (the numbers walk may
// have shown its number there, and no text walk sets it).
void restoreOwnCaptions(QWidget* window);

// Accessible names from captions and labels: a control with a caption is
// named by it (without the access-key mark), a caption-less button by its
// tooltip, a field by the label whose buddy it is.
void nameControlsForAccessibility(QWidget* window);

} // namespace kestrel::gui
