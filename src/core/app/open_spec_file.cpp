#include "core/app/open_spec_file.h"

#include "core/app/session.h"
#include "core/app/spec_file.h"
#include "core/base/user_text.h"

namespace kestrel {

OpenedSpecFile readSpecFileAt(const std::filesystem::path& path, std::string_view decimalSeparator)
{
    const SpecFileText file = loadSpecFileText(path);
    if (!file.text)
        return {std::nullopt, OpenFailure::Unreadable, file.error, {}};
    SpecFileResult read = readSpecFile(*file.text, decimalSeparator);
    if (!read.inputs)
        return {std::nullopt, OpenFailure::Invalid, std::move(read.error), {}};
    std::vector<InstructionClash> clashes = instructionClashes(read.inputs->connections);
    return {std::move(read.inputs), OpenFailure::None, {}, std::move(clashes)};
}

OpenedSpecFile openSpecFile(const std::filesystem::path& path, const Session& session, std::string headerDate)
{
    // Cells are typed as the user would type them under this locale.
    OpenedSpecFile opened = readSpecFileAt(path, session.locale.numberSeparator());
    if (opened.inputs) {
        session.adoptRunValues(*opened.inputs);
        opened.inputs->headerDate = std::move(headerDate);
    }
    return opened;
}

std::string openFailureText(std::string_view file, const OpenedSpecFile& opened)
{
    return opened.failure == OpenFailure::Unreadable ? "\"" + escapeForMessage(file) + "\" " + opened.reason
                                                     : escapeForMessage(file) + ": " + opened.reason;
}

} // namespace kestrel
