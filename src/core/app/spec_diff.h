#pragma once
// What changed between two specifications, compared as the typed inputs
// they read into, so that a file's layout and spelling are no change. Each
// change is named by the key path the specification-file reader names it
// with ("meter.functions.dcv[2].range", "options.autoranging",
// "connections[0].text") and holds the values as the file writes them.
#include "core/app/procedure_inputs.h"
#include "core/app/spec_value.h"
#include "core/spec/meter_function.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kestrel {

enum class SpecChangeKind {
    Value,          // the value at path, before and after
    UnicodeForm,    // texts of the same characters in other Unicode forms (NFC, NFD)
    Moved,          // the instruction record at path moved to another grid column:
                    // before and after name the columns ("dcv[2]", "dcv[3]")
    ColumnInserted, // a grid column put in ("meter.functions.dcv[2]", its place in b),
                    // the columns after it moved one on; `cells` holds its values
    ColumnRemoved,  // a grid column taken out (its place in a), the columns after it
                    // moved back one; `cells` holds its values
};

// A grid column's values by row key ("range"), its empty cells left out.
using ColumnCells = std::vector<std::pair<std::string, std::string>>;

struct SpecChange {
    std::string path;
    SpecValue before;
    SpecValue after;
    SpecChangeKind kind = SpecChangeKind::Value;
    ColumnCells cells = {}; // an inserted or removed column's values
    bool operator==(const SpecChange&) const = default;
};

// The changes from a to b in the order of the file's keys: the page, the
// procedure's identity, the options, the meter's standard and lists, its
// cells (function by function, column by column, row by row), the scope
// inputs, then the instruction records. A function's grid columns are
// compared place by place unless b is a with columns put in or taken out:
// then each such column is one change and the columns that only moved are
// none. Records are matched by function (in any case) and column, as Create
// finds them, so a record that only moved in the list is no change; a
// record whose text and picture moved to another column is one Moved
// change; a record is named by its place in b, or in a when b lacks it; a
// record only b has that stands where a record only a has stood is that
// record changed, its values before and after under one path.
// Texts that differ only in their Unicode form are a UnicodeForm change.
// Values the run adds (decimal separator, amplifiers, date) are not
// compared.
std::vector<SpecChange> diffSpecifications(const ProcedureInputs& a, const ProcedureInputs& b);

// A cell of the meter's grid as a change names it.
struct MeterCell {
    MeterFunction function;
    int column;
    int row;
    bool operator==(const MeterCell&) const = default;
};

// "meter.functions.<function>[<column>].<row key>", the key path of a cell.
std::string meterCellPath(const MeterCell& cell);
// The cell a key path names; nothing for any other path, or for a column or
// row the function's grid does not have.
std::optional<MeterCell> meterCellOfPath(std::string_view path);

// A value as JSON writes it: null, true, 12, or a quoted text whose quote,
// backslash, control and refused characters are escaped, so that it cannot
// work a terminal or forge a line; a line break, CR and TAB are written
// \n, \r and \t, as the files write them.
std::string specValueLiteral(const SpecValue& value);

// The change as kestrel-cli diff writes it, one line:
//   meter.functions.dcv[2].range: "10" -> "100"
//   procedure.name: "Ü" -> "Ü" (Unicode form only: NFC -> NFD)
//   connections[1]: moved "dcv[2]" -> "dcv[3]"
//   meter.functions.dcv[2]: column inserted {"range": "10", "level": "5"}
std::string specChangeLine(const SpecChange& change);

// The change as an object of kestrel-cli diff --json: {"kind", "path",
// "before", "after"}, a column's cells as an object in before or after,
// and for a Unicode form change "forms": ["NFC", "NFD"].
std::string specChangeJson(const SpecChange& change);

// A column's values as a JSON object: {"range": "10", "level": "5"}.
std::string columnCellsLiteral(const ColumnCells& cells);

} // namespace kestrel
