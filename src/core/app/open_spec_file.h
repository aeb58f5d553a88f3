#pragma once
// Opening a specification file for a run: its text loaded, read for the
// locale in force, the values of the run that no file carries adopted and
// the header's date set. The window's Open and kestrel-cli open files here
// and only say differently what went wrong.
#include "core/app/instruction_clashes.h"
#include "core/app/procedure_inputs.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

class Session;

// Where opening stopped.
enum class OpenFailure {
    None,
    Unreadable, // no text: missing, a folder, device or pipe, too large, a read error
    Invalid,    // a text that is no valid specification file
};

struct OpenedSpecFile {
    std::optional<ProcedureInputs> inputs;
    OpenFailure failure = OpenFailure::None;
    // Unreadable: to follow the file's name ("is a folder, not a file");
    // Invalid: the reader's message, key path first.
    std::string reason;
    // What an opened file holds but cannot be used: every front end warns
    // of each (instructionClashText) and goes on with the file as it is.
    std::vector<InstructionClash> clashes;
};

// The file's inputs as it holds them, read for a locale with decimalSeparator
// (see readSpecFile); nothing of a file that fails.
OpenedSpecFile readSpecFileAt(const std::filesystem::path& path, std::string_view decimalSeparator);

// The file's inputs with the session's decimal separator and amplifier
// accessories and the given DATE value; nothing of a file that fails.
OpenedSpecFile openSpecFile(const std::filesystem::path& path, const Session& session, std::string headerDate);

// Why a file did not open, as the command line says it after
// "kestrel-cli COMMAND: ": the quoted name and the reason for a file that
// cannot be read, the name, ": " and the reader's message for an invalid one.
std::string openFailureText(std::string_view file, const OpenedSpecFile& opened);

} // namespace kestrel
