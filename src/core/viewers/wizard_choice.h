#pragma once
// The connection wizard's three options and the instruction record they
// stand for: what the wizard shows when it opens on a column, and what its
// OK writes back.
#include "core/spec/connection_store.h"
#include "core/spec/grid_rules.h"

#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

// `opt_Which`, by index.
enum class WizardOption { Pic = 0, Disp = 1, Both = 2 };

// The wizard on opening, from the column's record (used only when it is
// the one record of the column; a column of two records opens empty).
struct WizardStart {
    // The option chosen at the first activation; none without a record.
    std::optional<WizardOption> option;
    // The picture to preview and to look up in the list; "" for none.
    std::string picture;
    // The editor: the record's text, or the prompt's starting text (see
    // wizardPromptText), read-only, when the record has no text.
    std::string editorText;
    bool editorEditable = false;
    bool operator==(const WizardStart&) const = default;
};

// What the editor starts with where it would be empty (a column without a
// text, DISP chosen on an empty editor): the prompt, text 1243 ("Enter
// Connection Text"), which OK without typing keeps as the instruction, as
// the wizard always has; or "" when the prompt cannot be an instruction (a
// translation longer than a DISP line): the window then shows it as a hint
// over the empty editor, which is never stored.
std::string wizardPromptText(std::string_view prompt);

WizardStart wizardStart(const ConnectionStore& records, MeterFunction function, int column, std::string_view prompt);

// OK: the record of the chosen option replaces whatever records the column
// of (function, column) held; with no option chosen the column's records
// are deleted. "PIC" and "Both" with no list entry selected store an empty
// picture name. A text or picture name a record may not hold changes
// nothing: returns why (the instruction's problem, as the specification-file
// reader words it), or "" when the records were changed.
std::string applyWizardChoice(ConnectionStore& records, std::optional<WizardOption> option, MeterFunction function,
    int column, std::string_view pictureFile, std::string_view editorText);

} // namespace kestrel
