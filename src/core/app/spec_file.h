#pragma once
// Specification files: a UUT description with the procedure identity,
// options and instruction records, as UTF-8 JSON ("kestrel-spec" version 1).
// Reading is all or nothing: the first problem refuses the whole file with a
// message that names its key path, so a file is never half applied.
// docs/specification-files.md describes every key, its default and what the
// reader refuses for the files' users; a change here changes it too.
#include "core/app/procedure_inputs.h"

#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

struct SpecFileResult {
    std::optional<ProcedureInputs> inputs;
    std::string error; // "meter.functions.dcv[3].range: ..." when inputs is empty
};

// Reads a file for a locale: cells are typed through the grid's key filter
// with "." becoming decimalSeparator, which is also stored in the inputs.
// Keys the file leaves out keep the values of a first start.
SpecFileResult readSpecFile(std::string_view json, std::string_view decimalSeparator);

// Writes the inputs with "." as decimal mark, keys in the documented order,
// empty cells and functions left out; ends with a line break.
std::string writeSpecFile(const ProcedureInputs& inputs);

} // namespace kestrel
