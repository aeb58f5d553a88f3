#pragma once
// What changed between two specifications, compared as the typed inputs
// they read into, so that a file's layout and spelling are no change. Each
// change is named by the key path the specification-file reader names it
// with ("meter.functions.dcv[2].range", "options.autoranging",
// "connections[0].text") and holds the values as the file writes them.
#include "core/app/procedure_inputs.h"
#include "core/spec/meter_function.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kestrel {

// A value of a specification file: none (an empty cell, a missing record,
// a record without picture), a text, a whole number, or yes/no.
using SpecValue = std::variant<std::monostate, std::string, long long, bool>;

struct SpecChange {
    std::string path;
    SpecValue before;
    SpecValue after;
    bool operator==(const SpecChange&) const = default;
};

// The changes from a to b in the order of the file's keys: the page, the
// procedure's identity, the options, the meter's standard and lists, its
// cells (function by function, column by column, row by row), the scope
// inputs, then the instruction records. Records are matched by function
// (in any case) and column, as Create finds them, so a record that only
// moved in the list is no change; one is named by its place in b, or in a
// when b lacks it. Values the run adds (decimal separator, amplifiers,
// date) are not compared.
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
// work a terminal or forge a line.
std::string specValueLiteral(const SpecValue& value);

} // namespace kestrel
