#include "core/app/review_files.h"

#include "core/app/create.h"
#include "core/app/open_spec_file.h"
#include "core/app/session.h"
#include "core/app/spec_file.h"
#include "core/base/config_dir.h"
#include "core/base/path_text.h"
#include "core/base/sha256.h"
#include "core/base/small_file.h"
#include "core/base/user_text.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace kestrel {

ReviewComparer::ReviewComparer(
    const Session& session, std::string headerDate, std::optional<std::string> standard, ReviewMessages& messages)
    : session_(session), headerDate_(std::move(headerDate)), standard_(std::move(standard)), messages_(messages)
{
}

ReviewedPair ReviewComparer::compare(
    const std::string& key, const std::optional<std::string>& a, const std::optional<std::string>& b, bool quick)
{
    ReviewedPair pair;
    pair.key = key;
    std::string bytesA, bytesB;
    if (a)
        pair.before = identify(*a, bytesA, pair.failure);
    if (b)
        pair.after = identify(*b, bytesB, pair.failure);
    if (!pair.failure.empty())
        return pair;
    pair.identical = a && b && bytesA == bytesB;
    if (pair.identical && quick)
        return pair;

    std::optional<ProcedureInputs> inputsA, inputsB;
    if (a && !open(*a, inputsA, pair.failure))
        return pair;
    if (b && !open(*b, inputsB, pair.failure))
        return pair;
    if (a && b) {
        std::optional<ProcedureInputs> plainA, plainB;
        if (!read(*a, plainA, pair.failure) || !read(*b, plainB, pair.failure))
            return pair;
        pair.specChanges = diffSpecifications(*plainA, *plainB);
    }
    const ProcedureInputs& newest = inputsB ? *inputsB : *inputsA;
    pair.scope = newest.page == Page::Scope;
    const std::string standard = standard_ ? *standard_ : newest.selections.reference;
    if (!pair.scope) {
        pair.coverageBefore = coverageOf(inputsA, standard);
        pair.coverageAfter = coverageOf(inputsB, standard);
    }
    if (a)
        pair.procedureBefore = procedure(*a, *inputsA);
    if (b)
        pair.procedureAfter = procedure(*b, *inputsB);
    if (a && b)
        pair.procedure = compareProcedures(pair.procedureBefore, pair.procedureAfter);
    return pair;
}

std::optional<ReviewedFile> ReviewComparer::identify(const std::string& file, std::string& bytes, std::string& failure)
{
    const std::filesystem::path path = pathFromUtf8(file);
    SmallFile read = readSmallFile(path, kMaxSpecFileSize);
    if (read.status != SmallFileStatus::Read) {
        fail(failure, "\"" + escapeForMessage(file) + "\" " + read.problem);
        return std::nullopt;
    }
    bytes = std::move(read.content);
    return ReviewedFile{utf8FromPath(path.filename()), file, sha256Hex(bytes)};
}

bool ReviewComparer::open(const std::string& file, std::optional<ProcedureInputs>& inputs, std::string& failure)
{
    OpenedSpecFile opened = openSpecFile(pathFromUtf8(file), session_, headerDate_);
    if (!opened.inputs)
        return fail(failure, openFailureText(file, opened));
    inputs = std::move(opened.inputs);
    return true;
}

// Read with "." as diff reads them, so that cells show as the files write
// them.
bool ReviewComparer::read(const std::string& file, std::optional<ProcedureInputs>& inputs, std::string& failure)
{
    OpenedSpecFile opened = readSpecFileAt(pathFromUtf8(file), ".");
    if (!opened.inputs)
        return fail(failure, openFailureText(file, opened));
    inputs = std::move(opened.inputs);
    return true;
}

std::optional<ReviewCoverage> ReviewComparer::coverageOf(
    const std::optional<ProcedureInputs>& inputs, const std::string& standard)
{
    if (!inputs)
        return std::nullopt;
    const std::optional<Coverage> c = coverage(*inputs, standard);
    if (!c)
        return std::nullopt;
    return ReviewCoverage{c->standard, c->counts, c->generatorFailed};
}

// The procedure Create makes of the file, as the clipboard receives it;
// what a failing generator wrote before it failed.
std::string ReviewComparer::procedure(const std::string& file, const ProcedureInputs& inputs)
{
    const CreateResult result = createProcedure(inputs, session_.texts, messages_.procedureMessages(file));
    return result.status == CreateStatus::NothingCreated ? std::string() : clipboardForm(result.text);
}

bool ReviewComparer::fail(std::string& failure, const std::string& why)
{
    messages_.failed(why);
    failure = why;
    return false;
}

std::string reviewDateText(const CalendarDate& date)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

ReviewSettings reviewSettingsOf(const Session& session, const CalendarDate& date)
{
    ReviewSettings settings;
    if (session.locale.activeLcid != session.environment().userDefaultLcid)
        settings.lcid = std::to_string(session.locale.activeLcid);
    if (session.environment().configDir != configDirectory())
        settings.configDir = utf8FromPath(session.environment().configDir);
    settings.date = reviewDateText(date);
    return settings;
}

ReviewReport reviewOfTwoFiles(
    const ReviewSettings& settings, const std::string& before, const std::string& after, ReviewComparer& comparer)
{
    ReviewReport report;
    report.settings = settings;
    report.files.push_back(comparer.compare("", before, after, false));
    return report;
}

std::map<std::string, std::string> reviewLibraryFiles(const std::string& folder, std::string& problem)
{
    std::map<std::string, std::string> files;
    std::error_code ec;
    std::filesystem::directory_iterator it(pathFromUtf8(folder), ec), end;
    if (ec) {
        problem = "\"" + escapeForMessage(folder) + "\" cannot be listed: " + ec.message();
        return files;
    }
    for (; it != end; it.increment(ec)) {
        if (ec) {
            problem = "\"" + escapeForMessage(folder) + "\" cannot be listed: " + ec.message();
            break;
        }
        const std::string name = utf8FromPath(it->path().filename());
        std::error_code typeEc;
        if (name.size() > 5 && name.ends_with(".json") && it->is_regular_file(typeEc))
            files.emplace(name, utf8FromPath(it->path()));
    }
    return files;
}

} // namespace kestrel
