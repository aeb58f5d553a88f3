#include "cli/generate_command.h"

#include "cli/arguments.h"
#include "core/app/session.h"
#include "core/app/create.h"
#include "core/spec/samples.h"
#include "core/app/spec_file.h"

#include <chrono>
#include <fstream>
#include <optional>
#include <ostream>
#include <sstream>
#include <system_error>

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
           "  --help            this text\n\n"
           "Messages (a missing Tessel installation, a generator's failure) go to\n"
           "standard error.\n\n"
           "Exit status:\n"
           "  0  the procedure was written\n"
           "  1  the file could not be read or is not a valid specification file\n"
           "     (the message names the offending key path)\n"
           "  2  wrong arguments or unknown sample name\n"
           "  3  \"Could not create the procedure.\": nothing is specified for the\n"
           "     chosen page, or the chosen standard has no generator\n"
           "  4  a generator failed midway: its message on standard error, the text it\n"
           "     had written (without header) on standard output\n";
}

std::optional<CalendarDate> parseDate(const std::string& text)
{
    int y = 0, m = 0, d = 0;
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !parseInt(text.substr(0, 4), y) ||
        !parseInt(text.substr(5, 2), m) || !parseInt(text.substr(8, 2), d))
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
        if (arg == "--rtf") {
            a.rtf = true;
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
                    return "--date needs a date written YYYY-MM-DD, not \"" + value + "\"";
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

std::optional<std::string> readWholeFile(const std::string& path)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad())
        return std::nullopt;
    return content.str();
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

    // The program's own start-up, with --lcid as the /lcid= switch and
    // --config-dir as the settings folder. The saved window defaults it
    // restores are not used: the file or the sample alone says what to write.
    StreamSink sink(err, "generate");
    StartUpEnvironment environment = StartUpEnvironment::current();
    if (a.configDir)
        environment.configDir = *a.configDir;
    const auto session = startUp(a.lcid ? "/lcid=" + std::to_string(*a.lcid) : "", environment, sink);
    const std::string decimalSeparator = session->locale.numberSeparator();

    ProcedureInputs inputs;
    if (sample) {
        inputs.decimalSeparator = decimalSeparator;
        loadSample(*sample, inputs, session->texts);
    } else {
        const std::optional<std::string> json = readWholeFile(a.file);
        if (!json) {
            err << "kestrel-cli generate: cannot read \"" << a.file << "\"\n";
            return kExitUnreadableFile;
        }
        SpecFileResult read = readSpecFile(*json, decimalSeparator);
        if (!read.inputs) {
            err << "kestrel-cli generate: " << a.file << ": " << read.error << "\n";
            return kExitUnreadableFile;
        }
        inputs = std::move(*read.inputs);
    }
    // A missing installation was reported and leaves both amplifier flags off.
    session->adoptRunValues(inputs);
    inputs.headerDate = a.date ? session->headerDate(*a.date) : session->headerDateToday();

    const CreateResult result = createProcedure(inputs, session->texts, sink);
    if (result.status == CreateStatus::NothingCreated)
        return kExitNothingCreated;
    out << (a.rtf ? viewerForm(result.text) : clipboardForm(result.text));
    out.flush();
    return result.status == CreateStatus::Failed ? kExitGeneratorFailed : kExitOk;
}

} // namespace kestrel::cli
