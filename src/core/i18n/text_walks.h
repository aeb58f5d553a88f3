#pragma once
// The three walks that relabel a window from the text numbers its controls
// carry: local texts (Load_Local_Strings, Text(n) = Gettext), English texts
// (Load_English_Strings, Text(n) = the built-in table) and the numbers
// themselves (Show_Control_Numbers, so a translator sees which number
// belongs where). These are the rules of one control, one menu entry or one
// tab; the window walks its controls and applies what they answer.
//
// A control's tag is its text number, marked when it is the number of the
// tooltip rather than of the caption; the numbers walk shows a marked tag
// with a "T" ("1526T").
#include "core/i18n/text_lookup.h"

#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

enum class TextWalk { Local, English, Numbers };

// The kinds of control the walks tell apart.
enum class ControlKind {
    Label,
    CommandButton,
    CheckBox,
    OptionButton, // and any other kind without a rule of its own
    Frame,
    // A pane beside the pages (the preview, the coverage): its title follows
    // every walk, the English one too, unlike a frame's.
    Pane,
    PictureBox,
    TextBox, // text boxes and drop-down lists: the walk sets their text
};

struct TextTag {
    int number = 0;       // 0: the control has no tag
    bool tooltip = false; // the mark
    bool empty() const { return number == 0; }
    // "1223", "1526T"; "" without a number.
    std::string text() const;
};

// What a walk sets on one control; nothing set means the control keeps it.
struct TextChange {
    std::optional<std::string> caption{}; // a text box's or list's text
    std::optional<std::string> tooltip{};
    // Frames of the local walk let pending window events run afterwards, so
    // the window repaints during a long walk.
    bool letEventsRun = false;
    bool operator==(const TextChange&) const = default;
};

// Text(n) of a walk: `local` (Gettext) for the local walk, the built-in
// English table for the English walk. The numbers walk needs none.
const TextLookup& walkTexts(TextWalk walk, const TextLookup& local);

// One control. `name` is its name, an array member's with "_index"
// (the help labels Ask_HLP_0..2 are told apart by it); `currentTooltip`
// matters only to the kinds without a rule of their own, whose tooltip may
// itself be a text number.
TextChange walkControl(TextWalk walk, ControlKind kind, std::string_view name, const TextTag& tag,
    std::string_view currentTooltip, const TextLookup& texts);

// A menu entry with its fixed number: Text(n), or in the numbers walk
// "n (current caption)".
std::string walkMenuEntry(TextWalk walk, int number, std::string_view currentCaption, const TextLookup& texts);

// One tab of a tab strip by its text number (0 for none): Text(number)
// when tagged, or in the numbers walk the number itself (an untagged tab
// then shows nothing).
std::optional<std::string> walkTab(TextWalk walk, int number, const TextLookup& texts);

// Connection_Caption, the grid header's tooltip: Gettext(1260) after the
// local and the English walk alike, "1260" after the numbers walk.
std::string connectionCaption(TextWalk walk, const TextLookup& local);

// The label rule alone, for labels the window sets outside a walk (the
// grid's row labels follow the function on show).
std::string walkLabelCaption(TextWalk walk, int number, const TextLookup& texts);

} // namespace kestrel
