#include "cli/report_command.h"

#include "cli/arguments.h"
#include "cli/exit_status.h"
#include "cli/procedure_job.h"
#include "core/app/open_spec_file.h"
#include "core/app/review_report.h"
#include "core/app/session.h"
#include "core/app/spec_file.h"
#include "core/base/atomic_file.h"
#include "core/base/file_identity.h"
#include "core/base/path_text.h"
#include "core/base/sha256.h"
#include "core/base/small_file.h"
#include "core/base/user_text.h"
#include "core/spec/standards.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <ostream>
#include <system_error>

namespace kestrel::cli {
namespace {

void printHelp(std::ostream& out)
{
    out << "Usage: kestrel-cli report A B (--html FILE | --json FILE)... [options]\n"
           "       kestrel-cli report --library OLD_DIR NEW_DIR (--html FILE | --json FILE)... [options]\n"
           "Writes a review report of two versions of a specification file: each\n"
           "file's name, path and SHA-256, the settings the procedures are made with,\n"
           "the changes of the specification (as diff finds them), the changes of\n"
           "the procedure step by step (as diff finds them when it compares the\n"
           "procedures), the calibrator coverage before and after by the chosen\n"
           "standard, and fields for the names, dates and signatures of who\n"
           "prepared, reviewed and approved it.\n"
           "With --library, the report covers the specification files (*.json) of\n"
           "two folders, matched by name: a summary table (files changed, unchanged,\n"
           "added, removed, coverage changes) and a section per file that changed.\n"
           "Files whose bytes are the same are not compared further.\n\n"
           "Options:\n"
           "  --library         compare two folders instead of two files\n"
           "  --html FILE       write the report as one HTML page (inline style, no\n"
           "                    script; prints on A4 and Letter) in the program's\n"
           "                    language (the user's, as for the window); the lines of\n"
           "                    the changes as diff writes them\n"
           "  --json FILE       write the same facts as JSON: \"specChanges\" and\n"
           "                    \"procedureChanges\" as diff writes them in JSON\n"
           "  --standard NAME   the meter standard whose coverage is shown, a name of\n"
           "                    the meter standards list (default: each file's own,\n"
           "                    as the newer version names it)\n"
           "  --date YYYY-MM-DD the DATE of both procedures (default: today)\n"
           "  --lcid N          the locale in force, as for generate\n"
           "  --config-dir DIR  the folder holding tessel.ini, as for generate\n"
           "  --help            this text\n\n"
        << exitStatusHelp("report");
}

struct Arguments {
    std::vector<std::string> paths;
    bool library = false;
    std::optional<std::string> html, json, standard;
    SharedOptions shared;
    bool help = false;
};

std::string parseArguments(const std::vector<std::string>& args, Arguments& a)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (isHelpSwitch(arg)) {
            a.help = true;
            return {};
        }
        if (arg == "--library") {
            a.library = true;
            continue;
        }
        std::string why;
        if (takeSharedOption(args, i, kDateOption | kLcidOption | kConfigDirOption, a.shared, why)) {
            if (!why.empty())
                return why;
            continue;
        }
        if (arg == "--html" || arg == "--json" || arg == "--standard") {
            if (i + 1 == args.size())
                return arg + " needs a value";
            const std::string& value = args[++i];
            (arg == "--html" ? a.html : arg == "--json" ? a.json : a.standard) = value;
            continue;
        }
        if (arg.size() > 1 && arg[0] == '-')
            return "unknown option \"" + arg + "\"";
        a.paths.push_back(arg);
    }
    if (a.paths.size() != 2)
        return a.library ? "name the old and the new folder" : "name the two specification files";
    if (!a.html && !a.json)
        return "where to? Name --html FILE or --json FILE";
    if (a.standard && std::find(kReferences.begin(), kReferences.end(), *a.standard) == kReferences.end())
        return "--standard needs a meter standard, not \"" + *a.standard + "\"";
    return {};
}

std::string todayText()
{
    const CalendarDate d = localToday();
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year, d.month, d.day);
    return text;
}

class ReportBuilder {
public:
    ReportBuilder(
        const Session& session, std::string headerDate, std::optional<std::string> standard, std::ostream& err)
        : session_(session), headerDate_(std::move(headerDate)), standard_(std::move(standard)), err_(err)
    {
    }

    // Compares the two versions of one file; a side that is nothing is a
    // file added or removed. With quick, files of the same bytes are not
    // compared further.
    ReviewedPair compare(
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

private:
    std::optional<ReviewedFile> identify(const std::string& file, std::string& bytes, std::string& failure)
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

    bool open(const std::string& file, std::optional<ProcedureInputs>& inputs, std::string& failure)
    {
        OpenedSpecFile opened = openSpecFile(pathFromUtf8(file), session_, headerDate_);
        if (!opened.inputs)
            return fail(failure, openFailureText(file, opened));
        inputs = std::move(opened.inputs);
        return true;
    }

    // Read with "." as diff reads them, so that cells show as the files
    // write them.
    bool read(const std::string& file, std::optional<ProcedureInputs>& inputs, std::string& failure)
    {
        OpenedSpecFile opened = readSpecFileAt(pathFromUtf8(file), ".");
        if (!opened.inputs)
            return fail(failure, openFailureText(file, opened));
        inputs = std::move(opened.inputs);
        return true;
    }

    std::optional<ReviewCoverage> coverageOf(const std::optional<ProcedureInputs>& inputs, const std::string& standard)
    {
        if (!inputs)
            return std::nullopt;
        const std::optional<Coverage> c = coverage(*inputs, standard);
        if (!c)
            return std::nullopt;
        return ReviewCoverage{c->standard, c->counts, c->generatorFailed};
    }

    // The procedure Create makes of the file, with its messages named by
    // the file; what a failing generator wrote before it failed.
    std::string procedure(const std::string& file, ProcedureInputs inputs)
    {
        StreamSink sink(err_, "report: " + escapeForMessage(file));
        const ProcedureOutcome outcome = makeProcedure(inputs, session_.texts, sink, {});
        return outcome.output.value_or("");
    }

    bool fail(std::string& failure, const std::string& why)
    {
        err_ << "kestrel-cli report: " << why << "\n";
        failure = why;
        return false;
    }

    const Session& session_;
    std::string headerDate_;
    std::optional<std::string> standard_;
    std::ostream& err_;
};

// The specification files directly in a folder, by name.
std::map<std::string, std::string> libraryFiles(const std::string& folder, std::string& problem)
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

// Why writing the outputs would replace an input or each other, or "":
// each output is compared with every input by the file it leads to.
std::string outputClash(const std::vector<std::string>& outputs, const std::vector<std::string>& inputs)
{
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        const std::optional<FileIdentity> output = fileIdentity(pathFromUtf8(outputs[i]));
        if (!output)
            continue;
        for (const std::string& input : inputs)
            if (fileIdentity(pathFromUtf8(input)) == output)
                return "\"" + escapeForMessage(outputs[i]) + "\" is \"" + escapeForMessage(input) +
                    "\": the report would replace it";
        for (std::size_t j = 0; j < i; ++j)
            if (fileIdentity(pathFromUtf8(outputs[j])) == output)
                return "--html and --json name one file";
    }
    return {};
}

} // namespace

int ReportCommand::execute(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    Arguments a;
    if (const std::string why = parseArguments(args, a); !why.empty())
        return usage(err, name(), why);
    if (a.help) {
        printHelp(out);
        return kExitOk;
    }

    std::vector<std::string> outputs;
    for (const auto& output : {a.html, a.json})
        if (output)
            outputs.push_back(*output);
    if (!a.library)
        if (const std::string clash = outputClash(outputs, a.paths); !clash.empty())
            return usage(err, name(), clash);

    const StartUpEnvironment environment = a.shared.environment();
    StreamSink sink(err, "report");
    const auto session = startUp(StartUpSwitches{a.shared.lcid, false}, environment, sink);
    const std::string headerDate = a.shared.date ? session->headerDate(*a.shared.date) : session->headerDateToday();

    ReviewReport report;
    report.settings = {a.shared.lcid ? std::to_string(*a.shared.lcid) : "", a.shared.configDir.value_or(""),
        a.shared.date ? a.shared.dateText : todayText(), a.standard.value_or("")};
    ReportBuilder builder(*session, headerDate, a.standard, err);
    int status = kExitOk;
    if (!a.library) {
        report.files.push_back(builder.compare("", a.paths[0], a.paths[1], false));
    } else {
        report.library = true;
        report.libraryBefore = a.paths[0];
        report.libraryAfter = a.paths[1];
        std::string problem;
        const std::map<std::string, std::string> before = libraryFiles(a.paths[0], problem);
        const std::map<std::string, std::string> after = libraryFiles(a.paths[1], problem);
        if (!problem.empty()) {
            err << "kestrel-cli report: " << problem << "\n";
            return kExitUnreadableFile;
        }
        std::vector<std::string> inputs;
        for (const auto& files : {before, after})
            for (const auto& [key, path] : files)
                inputs.push_back(path);
        if (const std::string clash = outputClash(outputs, inputs); !clash.empty())
            return usage(err, name(), clash);
        std::map<std::string, std::pair<std::optional<std::string>, std::optional<std::string>>> names;
        for (const auto& [key, path] : before)
            names[key].first = path;
        for (const auto& [key, path] : after)
            names[key].second = path;
        for (const auto& [key, sides] : names)
            report.files.push_back(builder.compare(key, sides.first, sides.second, true));
    }
    for (const ReviewedPair& pair : report.files)
        if (!pair.failure.empty())
            status = kExitUnreadableFile;

    for (const auto& [file, content] :
        {std::pair{a.html, a.html ? reviewReportHtml(report, session->texts) : std::string()},
            std::pair{a.json, a.json ? reviewReportJson(report) : std::string()}}) {
        if (!file)
            continue;
        std::string error;
        if (!writeFileAtomically(pathFromUtf8(*file), content, error)) {
            err << "kestrel-cli report: \"" << escapeForMessage(*file) << "\" was not written: " << error << "\n";
            status = kExitWriteFailed;
        }
    }
    return status;
}

} // namespace kestrel::cli
