#include "cli/coverage_command.h"

#include "cli/arguments.h"
#include "cli/generate_command.h"
#include "cli/procedure_job.h"
#include "core/app/coverage.h"
#include "core/app/open_spec_file.h"
#include "core/app/session.h"
#include "core/base/path_text.h"

#include <cstdio>
#include <optional>
#include <ostream>

namespace kestrel::cli {
namespace {

void printHelp(std::ostream& out)
{
    out << "Usage: kestrel-cli coverage FILE [--json] [--lcid N] [--config-dir DIR]\n"
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
           "says so and exits with 0.\n\n"
           "Options:\n"
           "  --json            write a JSON array instead, one object per standard:\n"
           "                    \"standard\", \"own\" (the file's own), \"generatorFailed\",\n"
           "                    and the points of each outcome in \"asSpecified\",\n"
           "                    \"reduced\", \"manual\", \"leftOut\", each point as\n"
           "                    {\"function\", \"column\"} (0-based column), a reduced one\n"
           "                    with \"changes\" (\"quantity\" nominal or frequency,\n"
           "                    \"specified\", \"limit\", \"tested\"), a manual or left-out\n"
           "                    one with \"reason\". For a Scopes file: []\n"
           "  --lcid N          the locale in force, as for generate: its decimal\n"
           "                    separator is the one the file's cells are typed with\n"
           "  --config-dir DIR  the folder holding tessel.ini, as for generate: whether\n"
           "                    the 7625 and 3711 amplifiers are installed decides the\n"
           "                    limits of the 7600 and 3XXX standards\n"
           "  --help            this text\n\n"
           "Exit status:\n"
           "  0  the coverage was written (also for a Scopes file)\n"
           "  1  the file could not be read or is not a valid specification file\n"
           "  2  wrong arguments\n"
           "  "
        << kWriteFailedHelp << "\n";
}

struct Arguments {
    std::string file;
    bool json = false;
    std::optional<int> lcid;
    std::optional<std::filesystem::path> configDir;
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
        if (arg == "--lcid" || arg == "--config-dir") {
            if (i + 1 == args.size())
                return arg + " needs a value";
            const std::string& value = args[++i];
            if (arg == "--config-dir") {
                a.configDir = pathFromUtf8(value);
            } else {
                int lcid = 0;
                if (!parseInt(value, lcid))
                    return "--lcid needs a whole number, not \"" + value + "\"";
                a.lcid = lcid;
            }
            continue;
        }
        if (arg.size() > 1 && arg[0] == '-')
            return "unknown option \"" + arg + "\"";
        if (!a.file.empty())
            return "name one specification file";
        a.file = arg;
    }
    if (a.file.empty())
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
    StartUpEnvironment environment = StartUpEnvironment::current();
    if (a.configDir)
        environment.configDir = *a.configDir;
    if (const std::string missing = missingInputText({a.file}); !missing.empty()) {
        err << "kestrel-cli coverage: " << missing << "\n";
        return kExitUnreadableFile;
    }
    StreamSink sink(err, "coverage");
    const auto session = startUp(StartUpSwitches{a.lcid, false}, environment, sink);
    OpenedSpecFile opened = openSpecFile(pathFromUtf8(a.file), *session, session->headerDateToday());
    if (!opened.inputs) {
        err << "kestrel-cli coverage: " << openFailureText(a.file, opened) << "\n";
        return kExitUnreadableFile;
    }
    const ProcedureInputs& inputs = *opened.inputs;
    if (inputs.page == Page::Scope) {
        static constexpr const char* kNone = "the Scopes page has no calibrator coverage";
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

} // namespace kestrel::cli
