#include "cli/generate_command.h"

#include "cli/arguments.h"
#include "core/app/session.h"
#include "core/app/create.h"
#include "core/spec/samples.h"
#include "core/app/open_spec_file.h"
#include "core/base/user_text.h"
#include "core/base/path_text.h"

#include <chrono>
#include <optional>
#include <ostream>

namespace kestrel::cli {
namespace {

void printHelp(std::ostream& out)
{
    out << "Usage: kestrel-cli generate FILE [OPTIONS]\n"
           "       kestrel-cli generate --sample NAME [OPTIONS]\n"
           "Creates the procedure of a specification file (or of a built-in sample) as\n"
           "the Create button does for the page the file names, and writes it to\n"
           "standard output exactly as the clipboard would receive it: UTF-8, lines\n"
           "ended by CR LF, plain braces around the section titles.\n\n"
           "Options:\n"
           "  --sample NAME     use the built-in sample NAME instead of a file\n"
           "                    ('kestrel-cli samples' lists the names)\n"
           "  --date YYYY-MM-DD the date of the header's DATE line (default: today),\n"
           "                    written in the host's medium date form (05-Dec-26):\n"
           "                    the user's own locale, whatever --lcid says\n"
           "  --lcid N          the locale in force, as the program's /lcid=N switch:\n"
           "                    its decimal separator is the one the file's cells are\n"
           "                    typed with (default: the user's locale from LC_ALL,\n"
           "                    LC_NUMERIC, LANG)\n"
           "  --config-dir DIR  the folder holding tessel.ini, which names Tessel's\n"
           "                    instrument configuration and so whether the 7625 and\n"
           "                    3711 amplifiers are installed (default: KESTREL_CONFIG_DIR,\n"
           "                    else ~/.config/kestrel). Without an installation a message\n"
           "                    is printed and the procedure is written for calibrators\n"
           "                    without amplifiers. The folder is also searched first for\n"
           "                    the localization file Kestrel_<language>.MDB, then the\n"
           "                    program's own folder.\n"
           "  --rtf             write the viewer's rich-text document instead: every CR\n"
           "                    becomes \\par, inside the colour-table header\n"
           "  --strict          write nothing when a field's text is longer than its\n"
           "                    column (exit status 6) instead of only warning\n"
           "  --help            this text\n\n"
           "Messages (a missing Tessel installation, a generator's failure) go to\n"
           "standard error.\n\n"
           "Steps are written in fixed columns, and a text longer than its column runs\n"
           "over the field after it (a RANGE of 1.23456789012345 overwrites NOMINAL,\n"
           "whose text then overwrites TOLERANCE). Each such text is named on standard\n"
           "error as a warning, with the key path of the input it comes from:\n"
           "  kestrel-cli generate: warning: meter.functions.dcv[0].level: NOMINAL\n"
           "  \"1.23456789012345V\" is 17 characters long, its field holds 15\n\n"
           "Exit status:\n"
           "  0  the procedure was written\n"
           "  1  the file could not be read (missing, a folder, device or pipe, or\n"
           "     larger than 4 MiB) or is not a valid specification file (the message\n"
           "     names the offending key path)\n"
           "  2  wrong arguments or unknown sample name\n"
           "  3  \"Could not create the procedure.\": nothing is specified for the\n"
           "     chosen page, or the chosen standard has no generator\n"
           "  4  a generator failed midway: its message on standard error, the text it\n"
           "     had written (without header) on standard output\n"
           "  "
        << kWriteFailedHelp
        << "\n"
           "  6  with --strict: a field's text is longer than its column (the warnings\n"
           "     name them); nothing was written\n";
}

// A date of the years 1 to 9999 written YYYY-MM-DD, digits only.
std::optional<CalendarDate> parseDate(const std::string& text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    for (const std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
    const int y = std::stoi(text.substr(0, 4)), m = std::stoi(text.substr(5, 2)), d = std::stoi(text.substr(8, 2));
    if (y < 1)
        return std::nullopt;
    const std::chrono::year_month_day date{std::chrono::year(y), std::chrono::month(static_cast<unsigned>(m)),
                                           std::chrono::day(static_cast<unsigned>(d))};
    if (!date.ok())
        return std::nullopt;
    return CalendarDate{y, m, d};
}

struct Arguments {
    std::string file;
    std::string sample;
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
        if (arg == "--help" || arg == "-h") {
            a.help = true;
            return {};
        }
        if (arg == "--rtf" || arg == "--strict") {
            (arg == "--rtf" ? a.rtf : a.strict) = true;
            continue;
        }
        if (arg == "--sample" || arg == "--date" || arg == "--lcid" || arg == "--config-dir") {
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
            } else {
                a.configDir = pathFromUtf8(value);
            }
            continue;
        }
        if (arg.size() > 1 && arg[0] == '-')
            return "unknown option \"" + arg + "\"";
        if (!a.file.empty())
            return "name one specification file only";
        a.file = arg;
    }
    if (a.file.empty() && a.sample.empty())
        return "which specification? Name a file or --sample NAME";
    if (!a.file.empty() && !a.sample.empty())
        return "name a file or --sample NAME, not both";
    return {};
}

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

    // The program's own start-up, with --lcid as the locale override and
    // --config-dir as the settings folder. The saved window defaults it
    // restores are not used: the file or the sample alone says what to write.
    StreamSink sink(err, "generate");
    StartUpEnvironment environment = StartUpEnvironment::current();
    if (a.configDir)
        environment.configDir = *a.configDir;
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
        OpenedSpecFile opened = openSpecFile(pathFromUtf8(a.file), *session, headerDate);
        if (!opened.inputs) {
            err << "kestrel-cli generate: "
                << (opened.failure == OpenFailure::Unreadable ? "\"" + escapeForMessage(a.file) + "\" "
                                                              : escapeForMessage(a.file) + ": ")
                << opened.reason << "\n";
            return kExitUnreadableFile;
        }
        inputs = std::move(*opened.inputs);
    }

    FieldOverflows overflows;
    const CreateResult result = createProcedure(inputs, session->texts, sink, &overflows);
    if (result.status == CreateStatus::NothingCreated)
        return kExitNothingCreated;
    for (const FieldOverflow& overflow : overflows)
        err << "kestrel-cli generate: warning: " << overflowText(overflow) << "\n";
    if (a.strict && !overflows.empty())
        return kExitFieldOverflow;
    out << (a.rtf ? viewerForm(result.text) : clipboardForm(result.text));
    out.flush();
    return result.status == CreateStatus::Failed ? kExitGeneratorFailed : kExitOk;
}

} // namespace kestrel::cli
