#include "cli/diff_command.h"

#include "cli/arguments.h"
#include "cli/exit_status.h"
#include "cli/procedure_job.h"
#include "core/app/open_spec_file.h"
#include "core/app/procedure_comparison_report.h"
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
           "       kestrel-cli diff --procedure A B [--json | --unified] [--date YYYY-MM-DD]\n"
           "                        [--lcid N] [--config-dir DIR]\n"
           "Shows what changed from the specification file A to the specification file B,\n"
           "one change a line, by the key path the files' messages use, with the values\n"
           "as the files write them (null for an empty cell or a missing record, a line\n"
           "break as \\n):\n"
           "  meter.functions.dcv[2].range: \"10\" -> \"100\"\n"
           "  meter.functions.dcv[3]: column inserted {\"range\": \"20\", \"level\": \"19\"}\n"
           "  meter.functions.acv[1]: column removed {\"range\": \"2\"}\n"
           "  connections[1]: moved \"dcv[2]\" -> \"dcv[3]\"\n"
           "  procedure.author: \"M\303\274ller\" -> \"Mu\314\210ller\" (Unicode form only: NFC -> NFD)\n"
           "What the files hold is compared, not their text: a change of layout, key\n"
           "order or spelling of a number is no change. A grid column put in or taken\n"
           "out is one change, the columns that only moved are none. Instruction records\n"
           "are matched by function and column, as Create finds them, and named by their\n"
           "place in B (in A for a record B lacks); a record whose picture and text went\n"
           "to another column moved.\n\n"
           "Options:\n"
           "  --json            write a JSON array of {\"kind\", \"path\", \"before\", \"after\"}\n"
           "                    instead (with --procedure: the comparison of the\n"
           "                    procedures as a JSON object)\n"
           "  --procedure       compare the procedures the two files make instead, step\n"
           "                    by step with the step numbers set aside: steps that only\n"
           "                    got other numbers are one line (\"steps 12.001-40.002\n"
           "                    renumbered +1\"), each inserted, removed or changed step\n"
           "                    is one change with its lines and, for a changed step line,\n"
           "                    the fields that differ\n"
           "  --unified         with --procedure: write a unified diff of the two\n"
           "                    procedures' lines instead (\"--- A\", \"+++ B\", hunks\n"
           "                    \"@@ -l,n +l,n @@\" with 3 lines of context), each line\n"
           "                    with its own CR LF, as patch applies it\n"
           "  --date YYYY-MM-DD with --procedure: the DATE of both procedures (default:\n"
           "                    today)\n"
           "  --lcid N          with --procedure: the locale in force, as for generate\n"
           "  --config-dir DIR  with --procedure: the folder holding tessel.ini, as for\n"
           "                    generate\n"
           "  --help            this text\n\n"
        << exitStatusHelp("diff");
}

struct Arguments {
    std::vector<std::string> files;
    bool json = false;
    bool procedure = false;
    bool unified = false;
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
        if (arg == "--json" || arg == "--procedure" || arg == "--unified") {
            (arg == "--json" ? a.json : arg == "--procedure" ? a.procedure : a.unified) = true;
            continue;
        }
        std::string why;
        if (takeSharedOption(args, i, kDateOption | kLcidOption | kConfigDirOption, a.shared, why)) {
            if (!why.empty())
                return why;
            continue;
        }
        if (arg.size() > 1 && arg[0] == '-')
            return "unknown option \"" + arg + "\"";
        a.files.push_back(arg);
    }
    if (a.files.size() != 2)
        return "name two specification files, A and B";
    if (a.json && a.unified)
        return "--json and --unified are two ways to write the comparison: choose one";
    if (!a.procedure && (a.unified || a.shared.date || a.shared.lcid || a.shared.configDir))
        return "--unified, --date, --lcid and --config-dir go with --procedure only";
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
            return kExitTrouble;
        }
        for (const std::string& line : openWarningLines(read))
            err << "kestrel-cli diff: " << escapeForMessage(file) << ": " << line << "\n";
        inputs.push_back(std::move(*read.inputs));
    }
    const std::vector<SpecChange> changes = diffSpecifications(inputs[0], inputs[1]);
    if (a.json) {
        out << "[";
        for (std::size_t i = 0; i < changes.size(); ++i)
            out << (i ? ",\n  " : "\n  ") << specChangeJson(changes[i]);
        out << (changes.empty() ? "]\n" : "\n]\n");
    } else {
        for (const SpecChange& change : changes)
            out << specChangeLine(change) << "\n";
    }
    return changes.empty() ? kExitOk : kExitDifferent;
}

int compareProcedureFiles(const Arguments& a, std::ostream& out, std::ostream& err)
{
    const StartUpEnvironment environment = a.shared.environment();
    if (const std::string missing = missingInputText(a.files); !missing.empty()) {
        err << "kestrel-cli diff: " << missing << "\n";
        return kExitTrouble;
    }
    StreamSink sink(err, "diff");
    const auto session = startUp(StartUpSwitches{a.shared.lcid, false}, environment, sink);
    const std::string headerDate = a.shared.date ? session->headerDate(*a.shared.date) : session->headerDateToday();
    std::vector<std::string> texts;
    for (const std::string& file : a.files) {
        OpenedSpecFile opened = openSpecFile(pathFromUtf8(file), *session, headerDate);
        if (!opened.inputs) {
            err << "kestrel-cli diff: " << openFailureText(file, opened) << "\n";
            return kExitTrouble;
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
    if (a.unified) {
        const std::string diff =
            unifiedDiff(texts[0], texts[1], escapeForMessage(a.files[0]), escapeForMessage(a.files[1]));
        out << diff;
        return diff.empty() ? kExitOk : kExitDifferent;
    }
    const ProcedureComparison comparison = kestrel::compareProcedures(texts[0], texts[1]);
    if (a.json)
        out << procedureComparisonJson(comparison, texts[0], texts[1]);
    else if (!comparison.same())
        out << "--- " << escapeForMessage(a.files[0]) << "\n+++ " << escapeForMessage(a.files[1]) << "\n"
            << procedureComparisonText(comparison, texts[0], texts[1]);
    return comparison.same() ? kExitOk : kExitDifferent;
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
    return a.procedure ? compareProcedureFiles(a, out, err) : compareSpecifications(a, out, err);
}

} // namespace kestrel::cli
