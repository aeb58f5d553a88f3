#pragma once
// The grid's key filter and the check made when a cell edit is stored, as
// pure functions, so that the window's cell editor and the specification
// file reader apply exactly the same rules.
#include "core/spec/meter_function.h"

#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

struct KeyResult {
    bool accepted;
    std::string text; // what is inserted when accepted: the key, normalised
};

// One typed key (one UTF-8 character, or "\b", "\r", " ") for a cell of a
// function's row, given the cell's current text. A typed "." becomes the
// locale's separator; prefix letters are normalised ("u" -> "µ", "k" -> "K").
KeyResult filterKey(
    MeterFunction f, int row, std::string_view currentCellText, std::string_view key, std::string_view decSep);

enum class CommitResult { Valid, Invalid, StoreEmpty };

// Invalid when a prefix letter stands anywhere but last ("1m5"); a plain
// "0" is stored as an empty cell. The grid then says "Invalid data format"
// (kTextInvalidDataFormat).
CommitResult checkCommit(std::string_view cellText);

// A whole text typed into an empty cell key by key and then committed: the
// stored text ("" for an empty cell), or nullopt when a key is refused or the
// commit check fails. Backspace and Enter are editing keys, not content, so a
// text holding them is refused.
std::optional<std::string> typeIntoCell(MeterFunction f, int row, std::string_view text, std::string_view decSep);

} // namespace kestrel
