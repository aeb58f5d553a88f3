#pragma once
// Which help or accuracy file a viewer opens, and how the help viewer
// names its panes. Help files are named by FSC ("ask.hlp", "vset.hlp") or by
// a calibrator's first four characters ("7300.hlp"); a manual twin's help
// carries an "m" in front ("m7320.hlp").
#include "core/i18n/text_lookup.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

// A calibrator's own files: its first four characters + ".hlp" / ".acc".
std::string calibratorHelpFile(std::string_view standard);
std::string calibratorAccuracyFile(std::string_view standard);

// Reference help from the caret's line: the FSC column (characters 10 to
// 16) + ".hlp"; a blank FSC column means the system's own help,
// "tessel.hlp"; "ASK-" and "ASK+" share "ASK.hlp". A comment line names no
// file (nullopt): the viewer then opens the file chosen before.
std::optional<std::string> referenceHelpFile(std::string_view line);

// What F1 on a line opens, given the help folder's files: the line's own
// help file when the folder holds it; otherwise Tessel's general help,
// "tessel.hlp", with the FSC that has no help named for the user; when the
// folder holds neither, nothing (file empty). A comment line keeps the file
// chosen before (file empty, nothing missing).
struct LineHelp {
    std::string file;       // the entry to open, as the folder spells it
    std::string missingFsc; // the FSC whose help file is missing ("DISP")
};
LineHelp lineHelp(std::string_view line, const std::vector<std::string>& helpFiles);

// The help of the manual twin: "m" + the name, except that the 7300 shares
// the 730 series' twin, "m730.hlp". Names are compared lower case.
std::string twinHelpFile(std::string_view helpFile);

// Pane titles: the name up to its first "." in text 2136 ("vset Help"); the
// twin's is "M" + the twin name's stem in it ("Mvset Help", "M730 Help").
std::string helpPaneTitle(std::string_view helpFile, const TextLookup& texts);
std::string twinPaneTitle(std::string_view helpFile, const TextLookup& texts);

// "confedit.hlp" is not a text: it goes to the desktop's own handler.
bool opensOutsideViewer(std::string_view helpFile);

} // namespace kestrel
