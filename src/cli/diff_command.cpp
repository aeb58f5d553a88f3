#include "cli/diff_command.h"

#include "cli/arguments.h"
#include "cli/generate_command.h"
#include "cli/procedure_job.h"
#include "core/app/open_spec_file.h"
#include "core/app/session.h"
#include "core/app/spec_diff.h"
#include "core/base/line_diff.h"
#include "core/base/path_text.h"
#include "core/base/user_text.h"

#include <optional>
#include <ostream>
#include <sstream>

namespace kestrel::cli {
namespace {

void printHelp(std::ostream& out)
{
    out << "Usage: kestrel-cli diff A B [--json]\n"
           "       kestrel-cli diff --procedure A B [--date YYYY-MM-DD] [--lcid N] [--config-dir DIR]\n"
           "Shows what changed from the specification file A to the specification file B,\n"
           "one change a line, by the key path the files' messages use, with the values\n"
           "as the files write them (null for an empty cell or a missing record):\n"
           "  meter.functions.dcv[2].range: \"10\" -> \"100\"\n"
           "What the files hold is compared, not their text: a change of layout, key\n"
           "order or spelling of a number is no change. Instruction records are matched\n"
           "by function and column, as Create finds them, and named by their place in B\n"
           "(in A for a record B lacks).\n\n"
           "Options:\n"
           "  --json            write a JSON array of {\"path\", \"before\", \"after\"} instead,\n"
           "                    an absent value as null\n"
           "  --procedure       compare the procedures the two files make instead, as a\n"
           "                    unified diff (\"--- A\", \"+++ B\", hunks \"@@ -l,n +l,n @@\"\n"
           "                    with 3 lines of context); lines keep their CR LF ends\n"
           "  --date YYYY-MM-DD with --procedure: the DATE of both procedures (default:\n"
           "                    today)\n"
           "  --lcid N          with --procedure: the locale in force, as for generate\n"
           "  --config-dir DIR  with --procedure: the folder holding tessel.ini, as for\n"
           "                    generate\n"
           "  --help            this text\n\n"
           "Exit status:\n"
           "  0  the two are the same\n"
           "  1  they differ; or a file could not be read or is not a valid\n"
           "     specification file, which standard error then names (and standard\n"
           "     output is empty), the status generate gives such a file\n"
           "  2  wrong arguments\n"
           "  3  with --procedure: a file specifies nothing to create\n"
           "  4  with --procedure: a generator failed midway (its message on standard\n"
           "     error)\n"
           "  "
        << kWriteFailedHelp << "\n";
}

struct Arguments {
    std::vector<std::string> files;
    bool json = false;
    bool procedure = false;
    std::optional<CalendarDate> date;
    std::optional<int> lcid;
    std::optional<std::string> configDir;
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
        if (arg == "--json" || arg == "--procedure") {
            (arg == "--json" ? a.json : a.procedure) = true;
            continue;
        }
        if (arg == "--date" || arg == "--lcid" || arg == "--config-dir") {
            if (i + 1 == args.size())
                return arg + " needs a value";
            const std::string& value = args[++i];
            if (arg == "--date") {
                a.date = parseDate(value);
                if (!a.date)
                    return "--date needs a date of the years 0001 to 9999 written YYYY-MM-DD, not \"" + value + "\"";
            } else if (arg == "--lcid") {
                int lcid = 0;
                if (!parseInt(value, lcid))
                    return "--lcid needs a whole number, not \"" + value + "\"";
                a.lcid = lcid;
            } else {
                a.configDir = value;
            }
            continue;
        }
        if (arg.size() > 1 && arg[0] == '-')
            return "unknown option \"" + arg + "\"";
        a.files.push_back(arg);
    }
    if (a.files.size() != 2)
        return "name two specification files, A and B";
    if (a.json && a.procedure)
        return "--json lists the changes of the specifications, not of their procedures";
    if (!a.procedure && (a.date || a.lcid || a.configDir))
        return "--date, --lcid and --config-dir go with --procedure only";
    return {};
}

int compareSpecifications(const Arguments& a, std::ostream& out, std::ostream& err)
{
    // Read with "." so that cells show as the files write them.
    std::vector<ProcedureInputs> inputs;
    for (const std::string& file : a.files) {
        OpenedSpecFile read = readSpecFileAt(pathFromUtf8(file), ".");
        if (!read.inputs) {
            err << "kestrel-cli diff: " << openFailureText(file, read) << "\n";
            return kExitUnreadableFile;
        }
        for (const std::string& line : openWarningLines(read))
            err << "kestrel-cli diff: " << escapeForMessage(file) << ": " << line << "\n";
        inputs.push_back(std::move(*read.inputs));
    }
    const std::vector<SpecChange> changes = diffSpecifications(inputs[0], inputs[1]);
    if (a.json) {
        out << "[";
        for (std::size_t i = 0; i < changes.size(); ++i)
            out << (i ? ",\n  " : "\n  ") << "{\"path\": " << specValueLiteral(changes[i].path)
                << ", \"before\": " << specValueLiteral(changes[i].before)
                << ", \"after\": " << specValueLiteral(changes[i].after) << "}";
        out << (changes.empty() ? "]\n" : "\n]\n");
    } else {
        for (const SpecChange& change : changes)
            out << change.path << ": " << specValueLiteral(change.before) << " -> " << specValueLiteral(change.after)
                << "\n";
    }
    return changes.empty() ? kExitOk : kExitDifferent;
}

int compareProcedures(const Arguments& a, std::ostream& out, std::ostream& err)
{
    StartUpEnvironment environment = StartUpEnvironment::current();
    if (a.configDir)
        environment.configDir = pathFromUtf8(*a.configDir);
    if (const std::string missing = missingInputText(a.files); !missing.empty()) {
        err << "kestrel-cli diff: " << missing << "\n";
        return kExitUnreadableFile;
    }
    StreamSink sink(err, "diff");
    const auto session = startUp(StartUpSwitches{a.lcid, false}, environment, sink);
    const std::string headerDate = a.date ? session->headerDate(*a.date) : session->headerDateToday();
    std::vector<std::string> texts;
    for (const std::string& file : a.files) {
        OpenedSpecFile opened = openSpecFile(pathFromUtf8(file), *session, headerDate);
        if (!opened.inputs) {
            err << "kestrel-cli diff: " << openFailureText(file, opened) << "\n";
            return kExitUnreadableFile;
        }
        for (const std::string& line : openWarningLines(opened))
            err << "kestrel-cli diff: " << escapeForMessage(file) << ": " << line << "\n";
        // Create's messages, named with the file.
        StreamSink fileSink(err, "diff: " + escapeForMessage(file));
        const ProcedureOutcome outcome = makeProcedure(*opened.inputs, session->texts, fileSink, {});
        if (outcome.status == kExitNothingCreated || outcome.status == kExitGeneratorFailed)
            return outcome.status;
        texts.push_back(*outcome.output);
    }
    const std::string diff =
        unifiedDiff(texts[0], texts[1], escapeForMessage(a.files[0]), escapeForMessage(a.files[1]));
    out << diff;
    return diff.empty() ? kExitOk : kExitDifferent;
}

} // namespace

int DiffCommand::execute(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    Arguments a;
    if (const std::string why = parseArguments(args, a); !why.empty())
        return usage(err, name(), why);
    if (a.help) {
        printHelp(out);
        return kExitOk;
    }
    return a.procedure ? compareProcedures(a, out, err) : compareSpecifications(a, out, err);
}

} // namespace kestrel::cli
