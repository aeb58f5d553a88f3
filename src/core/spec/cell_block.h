#pragma once
// Blocks of grid cells exchanged with spreadsheets: lines of tab-separated
// cells. A pasted block is taken whole or not at all: every cell goes
// through the row's key filter and the commit check as if it were typed,
// and the first cell that falls outside the table or is refused stops the
// paste before anything changes.
#include "core/i18n/text_lookup.h"
#include "core/spec/meter_function.h"
#include "core/spec/spec_table.h"

#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

// No field of a step reaches past the 78th column of its body (a scope
// calibrator line), so a longer cell can never stand in a procedure. A
// pasted cell that long is refused before the key filter sees it: a
// pasted megabyte typed key by key would freeze the window.
inline constexpr std::size_t kLongestCell = 78;

// What the user is told of a pasted text longer than kLongestCell, with
// the cell it was for when there is one ("UUT Range, column 3").
std::string tooLongCellRefusal(const TextLookup& texts, std::size_t length, std::string_view cell = {});

// The cells of rows top..bottom and columns left..right, one line per row
// (LF-separated), cells separated by tabs.
std::string copyCellBlock(const SpecTable& table, int top, int left, int bottom, int right);

struct PastedCell {
    int row;
    int column;
    std::string text; // as it is held, with "." ("" for an emptied cell)
};

struct PasteCheck {
    enum class Outcome { Accepted, Empty, OutsideTable, Refused, TooLong };
    Outcome outcome = Outcome::Empty;
    std::vector<PastedCell> cells; // when accepted: every cell the block covers
    // The first bad cell (outside the table or refused) and what it held.
    int row = -1;
    int column = -1;
    std::string value;      // empty when TooLong
    std::size_t length = 0; // of the cell that was TooLong
};

// The block placed with its first cell at (row, column) of a function's
// table, read line by line (a final line break is not a line of its own).
// Its cells are typed with decSep, as the grid takes them.
PasteCheck checkCellBlock(MeterFunction function, int row, int column, std::string_view block, std::string_view decSep);

// Why a paste was refused, naming the first bad cell by its row label and
// column number ("UUT Range, column 3"); "" for an accepted or empty block.
std::string pasteRefusal(const PasteCheck& check, MeterFunction function, const TextLookup& texts);

} // namespace kestrel
