#pragma once
// Specification files: a UUT description with the procedure identity,
// options and instruction records, as UTF-8 JSON ("kestrel-spec" version 1).
// Reading is all or nothing: the first problem refuses the whole file with a
// message that names its key path, so a file is never half applied. A key
// that appears twice in one object, a NUL byte anywhere, a line break or
// other control character in a one-line text (name, author, revision,
// picture) and a CR without LF in a text of several lines are problems.
// docs/specification-files.md describes every key, its default and what the
// reader refuses for the files' users; a change here changes it too.
#include "core/app/procedure_inputs.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

struct SpecFileResult {
    std::optional<ProcedureInputs> inputs;
    std::string error; // "meter.functions.dcv[3].range: ..." when inputs is empty
};

// A specification file holds at most a full grid and its instruction
// records, some hundred kilobytes; a larger file is refused unread.
inline constexpr std::uintmax_t kMaxSpecFileSize = 4u * 1024u * 1024u;

struct SpecFileText {
    std::optional<std::string> text;
    std::string error; // to follow the file's name: "is a folder, not a file"
};

// The content of the file: refused when it does not exist, is a folder, a
// device or a pipe, cannot be read or is larger than kMaxSpecFileSize.
SpecFileText loadSpecFileText(const std::filesystem::path& path);

// Reads a file for a locale: cells are typed through the grid's key filter
// and held as the file writes them, with "."; a cell with the locale's
// decimalSeparator fails. The separator is stored in the inputs.
// Keys the file leaves out keep the values of a first start.
SpecFileResult readSpecFile(std::string_view json, std::string_view decimalSeparator);

// Writes the inputs with "." as decimal mark, keys in the documented order,
// empty cells and functions left out; ends with a line break.
std::string writeSpecFile(const ProcedureInputs& inputs);

// Why the text writeSpecFile wrote would not open again, in the reader's
// words (key path first), or "" when it opens: read as Open reads it, with
// decimalSeparator, and as the command line reads it under a "." locale.
// Save asks before it replaces a file, so that a file is never replaced by
// one that cannot be read back.
std::string writtenSpecFileProblem(std::string_view text, std::string_view decimalSeparator);

} // namespace kestrel
