#include "cli/generate_command.h"

#include "cli/arguments.h"
#include "cli/batch_generation.h"
#include "cli/procedure_job.h"
#include "core/app/open_spec_file.h"
#include "core/app/session.h"
#include "core/app/standard_override.h"
#include "core/base/path_text.h"
#include "core/base/user_text.h"
#include "core/spec/samples.h"

#include <chrono>
#include <optional>
#include <ostream>
#include <system_error>

namespace kestrel::cli {
namespace {

void printHelp(std::ostream& out)
{
    out << "Usage: kestrel-cli generate FILE [OPTIONS]\n"
           "       kestrel-cli generate --sample NAME [OPTIONS]\n"
           "       kestrel-cli generate --out-dir DIR FILE... [OPTIONS]\n"
           "Creates the procedure of a specification file (or of a built-in sample) as\n"
           "the Create button does for the page the file names, and writes it to\n"
           "standard output exactly as the clipboard would receive it: UTF-8, lines\n"
           "ended by CR LF, plain braces around the section titles.\n\n"
           "Options:\n"
           "  --sample NAME     use the built-in sample NAME instead of a file\n"
           "                    ('kestrel-cli samples' lists the names)\n"
           "  --out-dir DIR     write the procedure of every FILE named to DIR/NAME.txt,\n"
           "                    NAME being the file's name without .kestrel.json (other\n"
           "                    names without their last extension): the same bytes as\n"
           "                    for one FILE, made on all cores. DIR is created when\n"
           "                    missing; each output is replaced whole or not at all.\n"
           "                    A file that fails is named on standard error with the\n"
           "                    reason, and the others are still written; a summary\n"
           "                    (written, failed, seconds) ends the run. Two files whose\n"
           "                    outputs would have one name (in any case, however an\n"
           "                    accent is composed), an output that is an input or\n"
           "                    another output by a link or under another name are\n"
           "                    refused before anything is written. An output that is\n"
           "                    a symbolic link is not written (status 5): the file the\n"
           "                    link names is left alone\n"
           "  --reference NAME  create the procedure for the calibration standard NAME\n"
           "                    instead of the file's own: an entry of the standards\n"
           "                    list of the file's page, spelt exactly (\"7320\",\n"
           "                    \"8600 - 4 Channel\"). The file's thermocouple and RTD\n"
           "                    types stay when NAME lists them, else become the ones\n"
           "                    choosing NAME by hand gives; an impedance test NAME\n"
           "                    cannot measure is left out\n"
           "  --date YYYY-MM-DD the date of the header's DATE line (default: today),\n"
           "                    written in the host's medium date form (05-Dec-26):\n"
           "                    the user's own locale, whatever --lcid says\n"
           "  --lcid N          the locale in force, as the program's /lcid=N switch:\n"
           "                    its decimal separator is the one the file's cells are\n"
           "                    typed with (default: "
        << kHelpLocaleDefault
        << ")\n"
           "  --config-dir DIR  the folder holding tessel.ini, which names Tessel's\n"
           "                    instrument configuration and so whether the 7625 and\n"
           "                    3711 amplifiers are installed (default: "
        << kHelpConfigDirDefault
        << ").\n"
           "                    Without a tessel.ini there, Kestrel reads Tessel's own\n"
           "                    (Windows) or else the demo installation that came with\n"
           "                    it; without any, a message is printed and the procedure\n"
           "                    is written for calibrators without amplifiers, as it is\n"
           "                    (with a warning naming the file) when the configuration\n"
           "                    tessel.ini names is missing, not a file or unreadable.\n"
           "                    The folder is also searched first for the localization\n"
           "                    file Kestrel_<language>.MDB, then the program's own folder.\n"
           "  --rtf             write the viewer's rich-text document instead: every CR\n"
           "                    becomes \\par, inside the colour-table header (with\n"
           "                    --out-dir into DIR/NAME.rtf)\n"
           "  --strict          write nothing when a field's text is longer than its\n"
           "                    column (exit status 6) instead of only warning\n"
           "  --help            this text\n\n"
           "Messages (a missing Tessel installation, a generator's failure) go to\n"
           "standard error; with --out-dir each names its file first, and a progress\n"
           "line is shown while standard error is a terminal.\n\n"
           "Steps are written in fixed columns, and a text longer than its column runs\n"
           "over the field after it (a RANGE of 1.23456789012345 overwrites NOMINAL,\n"
           "whose text then overwrites TOLERANCE). Each such text is named on standard\n"
           "error as a warning, with the key path of the input it comes from:\n"
           "  kestrel-cli generate: warning: meter.functions.dcv[0].level: NOMINAL\n"
           "  \"1.23456789012345V\" is 17 characters long, its field holds 15\n"
           "Two instruction records for one function and column are both ignored,\n"
           "and named in a warning with their key paths. Warnings leave the exit\n"
           "status as it is.\n\n"
           "Exit status (with --out-dir the worst of the files', worst first in the\n"
           "order 5, 2, 1, 3, 6, 4, 0):\n"
           "  0  the procedure was written\n"
           "  1  the file could not be read (missing, a folder, device or pipe, or\n"
           "     larger than 4 MiB) or is not a valid specification file (the message\n"
           "     names the offending key path)\n"
           "  2  wrong arguments or unknown sample name, or --reference names a\n"
           "     standard of the other page than the file's\n"
           "  3  \"Could not create the procedure.\": nothing is specified for the\n"
           "     chosen page, or the chosen standard has no generator\n"
           "  4  a generator failed midway: its message on standard error, the text it\n"
           "     had written (without header) on standard output or in the file\n"
           "  "
        << kWriteFailedHelp
        << "\n"
           "  6  with --strict: a field's text is longer than its column (the warnings\n"
           "     name them); nothing was written\n";
}

struct Arguments {
    std::vector<std::string> files;
    std::string sample;
    std::optional<std::filesystem::path> outDir;
    std::optional<std::string> reference;
    std::optional<CalendarDate> date;
    std::optional<int> lcid;
    std::optional<std::filesystem::path> configDir;
    bool rtf = false;
    bool strict = false;
    bool help = false;
};

// Parses the arguments; returns the reason for refusing them, or "".
std::string parseArguments(const std::vector<std::string>& args, Arguments& a)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (isHelpSwitch(arg)) {
            a.help = true;
            return {};
        }
        if (arg == "--rtf" || arg == "--strict") {
            (arg == "--rtf" ? a.rtf : a.strict) = true;
            continue;
        }
        if (arg == "--sample" || arg == "--date" || arg == "--lcid" || arg == "--config-dir" || arg == "--out-dir" ||
            arg == "--reference") {
            if (i + 1 == args.size())
                return arg + " needs a value";
            const std::string& value = args[++i];
            if (arg == "--sample") {
                a.sample = value;
            } else if (arg == "--date") {
                a.date = parseDate(value);
                if (!a.date)
                    return "--date needs a date of the years 0001 to 9999 written YYYY-MM-DD, not \"" + value + "\"";
            } else if (arg == "--lcid") {
                int lcid = 0;
                if (!parseInt(value, lcid))
                    return "--lcid needs a whole number, not \"" + value + "\"";
                a.lcid = lcid;
            } else if (arg == "--out-dir") {
                if (value.empty())
                    return "--out-dir needs a folder";
                a.outDir = pathFromUtf8(value);
            } else if (arg == "--reference") {
                if (!isStandardName(value))
                    return "--reference needs a standard of the meter or the scope page (" + standardNamesForMessage() +
                        "), not \"" + value + "\"";
                a.reference = value;
            } else {
                a.configDir = pathFromUtf8(value);
            }
            continue;
        }
        if (arg.size() > 1 && arg[0] == '-')
            return "unknown option \"" + arg + "\"";
        a.files.push_back(arg);
    }
    if (a.files.empty() && a.sample.empty())
        return a.outDir ? "which specifications? Name the files whose procedures go into the folder"
                        : "which specification? Name a file or --sample NAME";
    if (!a.files.empty() && !a.sample.empty())
        return "name a file or --sample NAME, not both";
    if (a.outDir && !a.sample.empty())
        return "--out-dir writes the procedures of files; name them instead of --sample";
    if (a.files.size() > 1 && !a.outDir)
        return "name one specification file, or several with --out-dir DIR";
    return {};
}

// A batch: the folder, start-up, every file, the summary.
int generateFiles(const Arguments& a, const StartUpEnvironment& environment, std::ostream& err)
{
    const auto started = std::chrono::steady_clock::now();
    std::error_code ec;
    std::filesystem::create_directories(*a.outDir, ec);
    if (ec || !std::filesystem::is_directory(*a.outDir, ec)) {
        err << "kestrel-cli generate: cannot create the folder \"" << escapeForMessage(utf8FromPath(*a.outDir))
            << "\": " << (ec ? ec.message() : "a file has that name") << "\n";
        return kExitWriteFailed;
    }
    // Start-up's messages, every file's report and the progress line share
    // standard error.
    BatchReporter reporter(err, a.files.size(), isTerminal(err));
    const auto session = startUp(StartUpSwitches{a.lcid, false}, environment, reporter);
    const BatchRequest request{a.files, *a.outDir, a.date ? session->headerDate(*a.date) : session->headerDateToday(),
        ProcedureRequest{a.reference, a.rtf, a.strict}};
    const BatchOutcome outcome = generateBatch(request, *session, reporter);
    reporter.summary(outcome.written, outcome.failed,
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
    return outcome.status;
}

} // namespace

int worseStatus(int a, int b)
{
    // From the worst: an output not written, an argument that does not fit
    // the file, a file not read, nothing created, a procedure refused by
    // --strict, a procedure cut short by its generator.
    static constexpr int kWorstFirst[] = {kExitWriteFailed, kExitUsage, kExitUnreadableFile, kExitNothingCreated,
        kExitFieldOverflow, kExitGeneratorFailed};
    for (const int status : kWorstFirst)
        if (a == status || b == status)
            return status;
    return kExitOk;
}

int GenerateCommand::execute(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    Arguments a;
    if (const std::string why = parseArguments(args, a); !why.empty())
        return usage(err, name(), why);
    if (a.help) {
        printHelp(out);
        return kExitOk;
    }
    const SampleDefinition* sample = nullptr;
    if (!a.sample.empty()) {
        sample = findSample(a.sample);
        if (!sample)
            return usage(err, name(), "no sample is called \"" + a.sample + "\"; 'kestrel-cli samples' lists them");
    }
    if (a.outDir)
        if (const std::string why = batchOutputsProblem(a.files, *a.outDir, a.rtf); !why.empty())
            return usage(err, name(), why);

    // The program's own start-up, with --lcid as the locale override and
    // --config-dir as the settings folder. The saved window defaults it
    // restores are not used: the file or the sample alone says what to write.
    StartUpEnvironment environment = StartUpEnvironment::current();
    if (a.configDir)
        environment.configDir = *a.configDir;
    if (a.outDir)
        return generateFiles(a, environment, err);
    if (const std::string missing = missingInputText(a.files); !missing.empty()) {
        err << "kestrel-cli generate: " << missing << "\n";
        return kExitUnreadableFile;
    }
    StreamSink sink(err, "generate");
    const auto session = startUp(StartUpSwitches{a.lcid, false}, environment, sink);
    const std::string headerDate = a.date ? session->headerDate(*a.date) : session->headerDateToday();

    ProcedureInputs inputs;
    if (sample) {
        // A sample is typed into the grid with the locale's separator, as
        // the sample button types it.
        inputs.decimalSeparator = session->locale.numberSeparator();
        loadSample(*sample, inputs, session->texts);
        session->adoptRunValues(inputs);
        inputs.headerDate = headerDate;
    } else {
        // A missing installation was reported and leaves both amplifier flags off.
        const std::string& file = a.files.front();
        OpenedSpecFile opened = openSpecFile(pathFromUtf8(file), *session, headerDate);
        if (!opened.inputs) {
            err << "kestrel-cli generate: " << openFailureText(file, opened) << "\n";
            return kExitUnreadableFile;
        }
        for (const std::string& line : openWarningLines(opened))
            err << "kestrel-cli generate: " << line << "\n";
        inputs = std::move(*opened.inputs);
    }

    const ProcedureOutcome outcome = makeProcedure(inputs, session->texts, sink, {a.reference, a.rtf, a.strict});
    for (const std::string& line : outcome.lines)
        err << "kestrel-cli generate: " << line << "\n";
    if (outcome.output) {
        out << *outcome.output;
        out.flush();
    }
    return outcome.status;
}

} // namespace kestrel::cli
