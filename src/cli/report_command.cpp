#include "cli/report_command.h"

#include "cli/arguments.h"
#include "cli/exit_status.h"
#include "core/app/review_files.h"
#include "core/app/review_report.h"
#include "core/app/session.h"
#include "core/base/atomic_file.h"
#include "core/base/file_identity.h"
#include "core/base/path_text.h"
#include "core/base/user_text.h"
#include "core/spec/standards.h"

#include <algorithm>
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

// The command's messages on standard error: a file that cannot be read,
// and Create's messages named by the file.
class ReportMessages : public ReviewMessages {
public:
    explicit ReportMessages(std::ostream& err) : err_(err) { }
    void failed(const std::string& why) override { err_ << "kestrel-cli report: " << why << "\n"; }
    MessageSink& procedureMessages(const std::string& file) override
    {
        sink_.emplace(err_, "report: " + escapeForMessage(file));
        return *sink_;
    }

private:
    std::ostream& err_;
    std::optional<StreamSink> sink_;
};

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

    const ReviewSettings settings{a.shared.lcid ? std::to_string(*a.shared.lcid) : "", a.shared.configDir.value_or(""),
        a.shared.date ? a.shared.dateText : reviewDateText(localToday()), a.standard.value_or("")};
    ReportMessages messages(err);
    ReviewComparer comparer(*session, headerDate, a.standard, messages);
    ReviewReport report;
    int status = kExitOk;
    if (!a.library) {
        report = reviewOfTwoFiles(settings, a.paths[0], a.paths[1], comparer);
    } else {
        report.settings = settings;
        report.library = true;
        report.libraryBefore = a.paths[0];
        report.libraryAfter = a.paths[1];
        std::string problem;
        const std::map<std::string, std::string> before = reviewLibraryFiles(a.paths[0], problem);
        const std::map<std::string, std::string> after = reviewLibraryFiles(a.paths[1], problem);
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
            report.files.push_back(comparer.compare(key, sides.first, sides.second, true));
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
