#include "cli/procedure_job.h"

#include "cli/exit_status.h"
#include "core/app/create.h"
#include "core/app/standard_override.h"
#include "core/base/path_text.h"
#include "core/base/small_file.h"
#include "core/base/user_text.h"
#include "core/i18n/text_lookup.h"

#include <filesystem>
#include <system_error>

namespace kestrel::cli {
namespace {

// "meter.functions.dcv[0].level: NOMINAL "1.23456789012345V" is 17
// characters long, its field holds 15".
std::string overflowText(const FieldOverflow& overflow)
{
    std::string where;
    if (overflow.column < 0)
        where = overflow.function.empty() ? overflow.input : overflow.function + "." + overflow.input;
    else
        where = "meter.functions." + overflow.function + "[" + std::to_string(overflow.column) + "]" +
            (overflow.input.empty() ? "" : "." + overflow.input);
    return where + ": " + describeOverflow(overflow);
}

} // namespace

std::string missingInputText(const std::vector<std::string>& files)
{
    for (const std::string& file : files) {
        std::error_code ec;
        if (std::filesystem::status(pathFromUtf8(file), ec).type() == std::filesystem::file_type::not_found) {
            OpenedSpecFile missing;
            missing.failure = OpenFailure::Unreadable;
            missing.reason = kMissingFileProblem;
            return openFailureText(file, missing);
        }
    }
    return {};
}

std::vector<std::string> openWarningLines(const OpenedSpecFile& opened)
{
    std::vector<std::string> lines;
    for (const InstructionClash& clash : opened.clashes)
        lines.push_back("warning: " + instructionClashText(clash, englishLookup()));
    return lines;
}

ProcedureOutcome makeProcedure(
    ProcedureInputs& inputs, const TextLookup& texts, MessageSink& sink, const ProcedureRequest& request)
{
    ProcedureOutcome outcome;
    if (request.standard && !overrideStandard(inputs, *request.standard)) {
        outcome.status = kExitUsage;
        outcome.lines.push_back(std::string(inputs.page == Page::Scope ? "a scope" : "a meter") +
            " specification cannot be created for --reference \"" + escapeForMessage(*request.standard) +
            "\", a standard of the other page");
        return outcome;
    }
    FieldOverflows overflows;
    const CreateResult result = createProcedure(inputs, texts, sink, &overflows);
    if (result.status == CreateStatus::NothingCreated) {
        outcome.status = kExitNothingCreated;
        return outcome;
    }
    for (const FieldOverflow& overflow : overflows)
        outcome.lines.push_back("warning: " + overflowText(overflow));
    if (request.strict && !overflows.empty()) {
        outcome.status = kExitFieldOverflow;
        return outcome;
    }
    outcome.output = request.rtf ? viewerForm(result.text) : clipboardForm(result.text);
    outcome.status = result.status == CreateStatus::Failed ? kExitGeneratorFailed : kExitOk;
    return outcome;
}

} // namespace kestrel::cli
