#pragma once
// One procedure as `kestrel-cli generate` makes it, from inputs already
// opened: the standard replaced when asked, Create run, its overflow
// warnings, the --strict refusal and the form written. A single file and
// every file of a batch go through here, so both write the same bytes.
#include "core/app/open_spec_file.h"
#include "core/app/procedure_inputs.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {
class MessageSink;
class TextLookup;
} // namespace kestrel

namespace kestrel::cli {

struct ProcedureRequest {
    std::optional<std::string> standard; // --reference
    bool rtf = false;
    bool strict = false;
};

struct ProcedureOutcome {
    int status = 0;
    // What goes to the output, when anything does: a complete procedure,
    // or the text a generator wrote before it failed.
    std::optional<std::string> output;
    // Lines for standard error, after "kestrel-cli generate: " (and the
    // file's name in a batch): the warnings, or why nothing was made.
    std::vector<std::string> lines;
};

// openFailureText for the first of the files that does not exist, or "".
// Commands check their inputs with it before start-up, so that a missing
// input is the first thing they say, before any message about the
// installation.
std::string missingInputText(const std::vector<std::string>& files);

// The warnings of a file that opened but is used only in part, each to
// follow "kestrel-cli COMMAND: " (and the file's name where several are
// named): "warning: connections[0] and connections[3] are ...". In English,
// as every warning of the command line.
std::vector<std::string> openWarningLines(const OpenedSpecFile& opened);

// Create's messages (nothing specified, a generator's failure) go to sink.
ProcedureOutcome makeProcedure(
    ProcedureInputs& inputs, const TextLookup& texts, MessageSink& sink, const ProcedureRequest& request);

} // namespace kestrel::cli
