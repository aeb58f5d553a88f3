#include "cli/coverage_command.h"

#include "cli/arguments.h"
#include "cli/exit_status.h"
#include "cli/procedure_job.h"
#include "core/app/coverage.h"
#include "core/app/open_spec_file.h"
#include "core/app/session.h"
#include "core/base/path_text.h"
#include "core/base/user_text.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <ostream>
#include <sstream>

namespace kestrel::cli {
namespace {

void printHelp(std::ostream& out)
{
    out << "Usage: kestrel-cli coverage FILE... [--json] [--lcid N] [--config-dir DIR]\n"
           "Shows, for every meter calibration standard, what the procedure Create\n"
           "would write for it does with the test points of the file's meter page\n"
           "(each grid column with a UUT range): how many it tests as specified, how\n"
           "many it reduces to the calibrator's limits (a nominal or a frequency\n"
           "changed, with a comment in the procedure), how many are manual steps for\n"
           "the operator (a function the calibrator lacks, resistance below 10 ohms\n"
           "on the 3XXX) and how many it leaves out (behind an empty UUT range, or\n"
           "after a generator's failure). One row per standard, in the order of the\n"
           "standards list; \"*\" marks the file's own.\n"
           "The scope procedures make no such choices: for a Scopes file the command\n"
           "says so and exits with 0.\n"
           "With two or more files, each file's table follows a line naming it, and a\n"
           "summary per standard ends the output: of the meter files read, how many\n"
           "it covers completely (every point as specified), how many have reduced\n"
           "points, how many manual points and how many left-out points (a file can\n"
           "count in several of these). A file that cannot be read is named on\n"
           "standard error and the others are still shown.\n\n"
           "Options:\n"
           "  --json            write a JSON array instead, one object per standard:\n"
           "                    \"standard\", \"own\" (the file's own), \"generatorFailed\",\n"
           "                    and the points of each outcome in \"asSpecified\",\n"
           "                    \"reduced\", \"manual\", \"leftOut\", each point as\n"
           "                    {\"function\", \"column\"} (0-based column), a reduced one\n"
           "                    with \"changes\" (\"quantity\" nominal or frequency,\n"
           "                    \"specified\", \"limit\", \"tested\"), a manual or left-out\n"
           "                    one with \"reason\". For a Scopes file: []\n"
           "                    With two or more files an object instead: \"files\",\n"
           "                    one object per file in the order named, {\"file\",\n"
           "                    \"coverage\"} (the array above; [] for a Scopes file)\n"
           "                    or {\"file\", \"error\"}; and \"summary\", one object per\n"
           "                    standard: \"standard\", \"files\" (the meter files read),\n"
           "                    \"complete\", \"reduced\", \"manual\", \"leftOut\"\n"
           "  --lcid N          the locale in force, as for generate: its decimal\n"
           "                    separator is the one the file's cells are typed with\n"
           "  --config-dir DIR  the folder holding tessel.ini, as for generate: whether\n"
           "                    the 7625 and 3711 amplifiers are installed decides the\n"
           "                    limits of the 7600 and 3XXX standards\n"
           "  --help            this text\n\n"
        << exitStatusHelp("coverage");
}

struct Arguments {
    std::vector<std::string> files;
    bool json = false;
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
        if (arg == "--json") {
            a.json = true;
            continue;
        }
        std::string why;
        if (takeSharedOption(args, i, kLcidOption | kConfigDirOption, a.shared, why)) {
            if (!why.empty())
                return why;
            continue;
        }
        if (arg.size() > 1 && arg[0] == '-')
            return "unknown option \"" + arg + "\"";
        a.files.push_back(arg);
    }
    if (a.files.empty())
        return "which specification? Name a file";
    return {};
}

// A JSON string: quotes, backslashes and control characters escaped, the
// rest (UTF-8) as it stands.
std::string jsonString(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string pointJson(const TestPoint& point)
{
    std::string out = "{\"function\": " + jsonString(functionInfo(point.function).code) +
        ", \"column\": " + std::to_string(point.column);
    if (point.reason != PointReason::None)
        out += ", \"reason\": " + jsonString(reasonName(point.reason));
    if (!point.changes.empty()) {
        out += ", \"changes\": [";
        for (std::size_t i = 0; i < point.changes.size(); ++i) {
            const LimitChange& change = point.changes[i];
            out += (i ? ", " : "");
            out += "{\"quantity\": ";
            out += change.quantity == LimitChange::Quantity::Nominal ? "\"nominal\"" : "\"frequency\"";
            out += ", \"specified\": " + jsonString(change.specified) + ", \"limit\": " + jsonString(change.limit) +
                ", \"tested\": " + jsonString(change.tested) + "}";
        }
        out += "]";
    }
    return out + "}";
}

void writeJson(std::ostream& out, const std::vector<Coverage>& all, std::string_view own)
{
    static constexpr PointOutcome kOutcomes[] = {
        PointOutcome::AsSpecified, PointOutcome::Reduced, PointOutcome::Manual, PointOutcome::LeftOut};
    out << "[";
    for (std::size_t s = 0; s < all.size(); ++s) {
        const Coverage& cov = all[s];
        out << (s ? ",\n " : "\n ") << "{\"standard\": " << jsonString(cov.standard)
            << ", \"own\": " << (cov.standard == own ? "true" : "false")
            << ", \"generatorFailed\": " << (cov.generatorFailed ? "true" : "false");
        for (const PointOutcome outcome : kOutcomes) {
            out << ",\n  " << jsonString(outcomeName(outcome)) << ": [";
            bool first = true;
            for (const TestPoint& point : cov.points) {
                if (point.outcome != outcome)
                    continue;
                out << (first ? "" : ", ") << pointJson(point);
                first = false;
            }
            out << "]";
        }
        out << "}";
    }
    out << "\n]\n";
}

std::string rightAligned(int value, std::size_t width)
{
    const std::string text = std::to_string(value);
    return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}

void writeTable(std::ostream& out, const std::vector<Coverage>& all, std::string_view own)
{
    out << "  standard  as specified  reduced  manual  left out\n";
    for (const Coverage& cov : all) {
        std::string name = cov.standard;
        name.resize(std::max<std::size_t>(name.size(), 8), ' ');
        out << (cov.standard == own ? "* " : "  ") << name << rightAligned(cov.counts.asSpecified, 14)
            << rightAligned(cov.counts.reduced, 9) << rightAligned(cov.counts.manual, 8)
            << rightAligned(cov.counts.leftOut, 10) << (cov.generatorFailed ? "  (the generator fails)" : "") << "\n";
    }
}

// How many meter files a standard covers completely, and how many it
// leaves with points of each other outcome.
struct StandardSummary {
    std::string standard;
    int files = 0;
    int complete = 0;
    int reduced = 0;
    int manual = 0;
    int leftOut = 0;
};

void addToSummary(std::vector<StandardSummary>& summary, const std::vector<Coverage>& all)
{
    for (const Coverage& cov : all) {
        auto it = std::find_if(
            summary.begin(), summary.end(), [&](const StandardSummary& s) { return s.standard == cov.standard; });
        if (it == summary.end())
            it = summary.insert(summary.end(), StandardSummary{cov.standard});
        ++it->files;
        const CoverageCounts& n = cov.counts;
        it->complete += (n.asSpecified == n.total() && !cov.generatorFailed) ? 1 : 0;
        it->reduced += n.reduced > 0 ? 1 : 0;
        it->manual += n.manual > 0 ? 1 : 0;
        it->leftOut += n.leftOut > 0 ? 1 : 0;
    }
}

void writeSummaryTable(std::ostream& out, const std::vector<StandardSummary>& summary, int meterFiles)
{
    out << "summary of " << meterFiles << (meterFiles == 1 ? " meter file" : " meter files")
        << ": files each standard covers completely, and files with such points\n"
        << "  standard  complete  reduced  manual  left out\n";
    for (const StandardSummary& s : summary) {
        std::string name = s.standard;
        name.resize(std::max<std::size_t>(name.size(), 8), ' ');
        out << "  " << name << rightAligned(s.complete, 10) << rightAligned(s.reduced, 9) << rightAligned(s.manual, 8)
            << rightAligned(s.leftOut, 10) << "\n";
    }
}

void writeSummaryJson(std::ostream& out, const std::vector<StandardSummary>& summary)
{
    out << "\"summary\": [";
    for (std::size_t i = 0; i < summary.size(); ++i) {
        const StandardSummary& s = summary[i];
        out << (i ? ",\n  " : "\n  ") << "{\"standard\": " << jsonString(s.standard) << ", \"files\": " << s.files
            << ", \"complete\": " << s.complete << ", \"reduced\": " << s.reduced << ", \"manual\": " << s.manual
            << ", \"leftOut\": " << s.leftOut << "}";
    }
    out << "]";
}

// The array of one file's JSON, indented to stand inside the files list.
std::string indentedJson(const std::vector<Coverage>& all, std::string_view own)
{
    std::ostringstream array;
    writeJson(array, all, own);
    std::string text = array.str();
    text.pop_back(); // the final line end
    std::string out;
    for (const char c : text)
        out += c == '\n' ? std::string("\n  ") : std::string(1, c);
    return out;
}

} // namespace

int CoverageCommand::execute(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    Arguments a;
    if (const std::string why = parseArguments(args, a); !why.empty())
        return usage(err, name(), why);
    if (a.help) {
        printHelp(out);
        return kExitOk;
    }

    // The start-up of generate: --lcid as the locale override, --config-dir
    // as the settings folder (which says whether the amplifiers are there).
    const StartUpEnvironment environment = a.shared.environment();
    static constexpr const char* kNone = "the Scopes page has no calibrator coverage";
    if (a.files.size() == 1) {
        const std::string& file = a.files.front();
        if (const std::string missing = missingInputText({file}); !missing.empty()) {
            err << "kestrel-cli coverage: " << missing << "\n";
            return kExitUnreadableFile;
        }
    }
    StreamSink sink(err, "coverage");
    const auto session = startUp(StartUpSwitches{a.shared.lcid, false}, environment, sink);

    if (a.files.size() == 1) {
        const std::string& file = a.files.front();
        OpenedSpecFile opened = openSpecFile(pathFromUtf8(file), *session, session->headerDateToday());
        if (!opened.inputs) {
            err << "kestrel-cli coverage: " << openFailureText(file, opened) << "\n";
            return kExitUnreadableFile;
        }
        const ProcedureInputs& inputs = *opened.inputs;
        if (inputs.page == Page::Scope) {
            if (a.json) {
                out << "[]\n";
                err << "kestrel-cli coverage: " << kNone << "\n";
            } else {
                out << kNone << "\n";
            }
            return kExitOk;
        }
        const std::vector<Coverage> all = coverageForAll(inputs);
        if (a.json)
            writeJson(out, all, inputs.selections.reference);
        else
            writeTable(out, all, inputs.selections.reference);
        return kExitOk;
    }

    // A library: each file in turn, one session for all, then the summary.
    int status = kExitOk;
    int meterFiles = 0;
    std::vector<StandardSummary> summary;
    if (a.json)
        out << "{\"files\": [";
    for (std::size_t i = 0; i < a.files.size(); ++i) {
        const std::string& file = a.files[i];
        const std::string shown = escapeForMessage(file);
        if (a.json)
            out << (i ? ",\n " : "\n ") << "{\"file\": " << jsonString(file) << ", ";
        else
            out << (i ? "\n" : "") << shown << "\n";
        std::string failure = missingInputText({file});
        std::optional<OpenedSpecFile> opened;
        if (failure.empty()) {
            opened = openSpecFile(pathFromUtf8(file), *session, session->headerDateToday());
            if (!opened->inputs)
                failure = openFailureText(file, *opened);
        }
        if (!failure.empty()) {
            err << "kestrel-cli coverage: " << failure << "\n";
            status = kExitUnreadableFile;
            if (a.json)
                out << "\"error\": " << jsonString(failure) << "}";
            else
                out << "  not read: " << escapeForMessage(failure) << "\n";
            continue;
        }
        const ProcedureInputs& inputs = *opened->inputs;
        if (inputs.page == Page::Scope) {
            if (a.json)
                out << "\"coverage\": []}";
            else
                out << "  " << kNone << "\n";
            continue;
        }
        const std::vector<Coverage> all = coverageForAll(inputs);
        ++meterFiles;
        addToSummary(summary, all);
        if (a.json)
            out << "\"coverage\": " << indentedJson(all, inputs.selections.reference) << "}";
        else
            writeTable(out, all, inputs.selections.reference);
    }
    if (a.json) {
        out << "],\n ";
        writeSummaryJson(out, summary);
        out << "}\n";
    } else {
        out << "\n";
        writeSummaryTable(out, summary, meterFiles);
    }
    return status;
}

} // namespace kestrel::cli
