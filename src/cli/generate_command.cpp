#include "cli/generate_command.h"

#include "cli/arguments.h"
#include "cli/batch_generation.h"
#include "cli/exit_status.h"
#include "cli/procedure_job.h"
#include "cli/run_recording.h"
#include "core/app/open_spec_file.h"
#include "core/app/session.h"
#include "core/app/standard_override.h"
#include "core/base/atomic_file.h"
#include "core/base/file_identity.h"
#include "core/base/local_date.h"
#include "core/base/path_text.h"
#include "core/base/sha256.h"
#include "core/base/text_util.h"
#include "core/base/user_text.h"
#include "core/spec/samples.h"

#include <chrono>
#include <map>
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
           "                    a symbolic link is not written (status "
        << kExitWriteFailed
        << "): the file the\n"
           "                    link names is left alone\n"
           "  --changed         with --out-dir: make again only what changed since the\n"
           "                    run recorded in DIR/kestrel-run.json. A file is skipped\n"
           "                    when its SHA-256, the standard, the settings (date,\n"
           "                    locale, options, Tessel installation, localization\n"
           "                    file, Kestrel's version) are the recorded ones and its\n"
           "                    output is still the one recorded; the summary says how\n"
           "                    many were skipped. Resumes an interrupted run\n"
           "  --record FILE     with one FILE: write its run record (the same as\n"
           "                    --out-dir writes into DIR/kestrel-run.json) to FILE\n"
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
           "                    column (exit status "
        << kExitFieldOverflow
        << ") instead of only warning\n"
           "  --help            this text\n\n"
           "With --out-dir the run is recorded in DIR/kestrel-run.json: the program's\n"
           "version, the settings, the Tessel installation and localization file used,\n"
           "and every file's SHA-256, standard, output and outcome (docs/run-record.md).\n"
           "It says \"running\" until the run ends, so an interrupted run shows;\n"
           "'kestrel-cli verify DIR' checks the outputs against it.\n\n"
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
        << exitStatusHelp("generate",
               "Exit status (with --out-dir the worst of the files', worst first in the order " + worstFirstOrder() +
                   "):");
}

struct Arguments {
    std::vector<std::string> files;
    std::string sample;
    std::optional<std::filesystem::path> outDir;
    std::optional<std::string> reference;
    SharedOptions shared;
    std::optional<std::filesystem::path> record;
    bool rtf = false;
    bool strict = false;
    bool changed = false;
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
        if (arg == "--rtf" || arg == "--strict" || arg == "--changed") {
            (arg == "--rtf" ? a.rtf : arg == "--strict" ? a.strict : a.changed) = true;
            continue;
        }
        std::string why;
        if (takeSharedOption(args, i, kDateOption | kLcidOption | kConfigDirOption, a.shared, why)) {
            if (!why.empty())
                return why;
            continue;
        }
        if (arg == "--sample" || arg == "--out-dir" || arg == "--reference" || arg == "--record") {
            if (i + 1 == args.size())
                return arg + " needs a value";
            const std::string& value = args[++i];
            if (arg == "--sample") {
                a.sample = value;
            } else if (arg == "--out-dir") {
                if (value.empty())
                    return "--out-dir needs a folder";
                a.outDir = pathFromUtf8(value);
            } else if (arg == "--record") {
                if (value.empty())
                    return "--record needs a file";
                a.record = pathFromUtf8(value);
            } else {
                if (!isStandardName(value))
                    return "--reference needs a standard of the meter or the scope page (" + standardNamesForMessage() +
                        "), not \"" + value + "\"";
                a.reference = value;
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
    if (a.changed && !a.outDir)
        return "--changed makes again what changed in a folder; give it with --out-dir DIR";
    if (a.record && (a.outDir || !a.sample.empty()))
        return a.outDir ? "--out-dir records its run in DIR/kestrel-run.json; leave --record out"
                        : "--record records the run of a specification file, not of a sample";
    return {};
}

// Why the run record would overwrite an input, or "".
std::string recordIsInputProblem(const Arguments& a)
{
    if (!a.outDir && !a.record)
        return {};
    const std::filesystem::path record = a.outDir ? *a.outDir / kRunRecordFileName : *a.record;
    const std::optional<FileIdentity> recordIdentity = fileIdentity(record);
    if (!recordIdentity)
        return {};
    for (const std::string& file : a.files)
        if (fileIdentity(pathFromUtf8(file)) == recordIdentity)
            return "\"" + file + "\" is the run record \"" + utf8FromPath(record) + "\", which the run replaces";
    return {};
}

// The entries of an earlier record that --changed keeps, by their index in
// the files: those written with these settings from a file whose SHA-256 is
// still the recorded one, whose output is still the recorded one.
std::map<std::size_t, RunFile> unchangedFiles(
    const std::vector<RunFile>& entries, const RunRecord& earlier, const std::filesystem::path& outDir)
{
    std::map<std::string, const RunFile*> byInput;
    for (const RunFile& file : earlier.files)
        if (file.status == RunFileStatus::Written)
            byInput[file.input] = &file;
    std::map<std::size_t, RunFile> kept;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto found = byInput.find(entries[i].input);
        if (found == byInput.end() || found->second->output != entries[i].output)
            continue;
        const RunFile& recorded = *found->second;
        std::string error;
        if (fileSha256Hex(pathFromUtf8(recorded.input), error) != recorded.inputSha256)
            continue;
        const std::filesystem::path output = outDir / pathFromUtf8(recorded.output);
        if (!batchOutputLinkProblem(output).empty() || fileSha256Hex(output, error) != recorded.outputSha256)
            continue;
        RunFile entry = recorded;
        entry.carriedOver = true;
        kept.emplace(i, std::move(entry));
    }
    return kept;
}

// A batch: the folder, start-up, the record, every file, the summary.
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
    const auto session = startUp(StartUpSwitches{a.shared.lcid, false}, environment, reporter);
    const CalendarDate date = a.shared.date ? *a.shared.date : localToday();
    const ProcedureRequest procedure{a.reference, a.rtf, a.strict};
    const std::string headerDate = session->headerDate(date);
    const std::filesystem::path recordPath = *a.outDir / kRunRecordFileName;

    RunRecord record;
    record.started = utcTimestamp();
    record.settings = runSettings(*session, a.shared.lcid, date, headerDate, procedure);
    for (const std::string& file : a.files)
        record.files.push_back(
            RunFile{recordedPath(file), {}, {}, batchOutputName(pathFromUtf8(file), a.rtf), {}, {}, {}, {}, {}, {}});
    std::map<std::size_t, RunFile> unchanged;
    if (a.changed) {
        const RunRecordRead earlier = readRunRecord(recordPath);
        const std::string shown = escapeForMessage(utf8FromPath(recordPath));
        if (!earlier.record)
            err << "kestrel-cli generate: every file is made: \"" << shown << "\" " << earlier.error << "\n";
        else if (earlier.record->settings != record.settings)
            err << "kestrel-cli generate: every file is made: the settings are not those recorded in \"" << shown
                << "\"\n";
        else
            unchanged = unchangedFiles(record.files, *earlier.record, *a.outDir);
    }
    BatchRequest request;
    request.outDir = *a.outDir;
    request.headerDate = headerDate;
    request.procedure = procedure;
    std::vector<std::size_t> recordIndex; // of each file the batch makes
    for (std::size_t i = 0; i < a.files.size(); ++i) {
        if (const auto kept = unchanged.find(i); kept != unchanged.end()) {
            record.files[i] = kept->second;
        } else {
            request.files.push_back(a.files[i]);
            recordIndex.push_back(i);
        }
    }

    RunRecorder recorder(recordPath, std::move(record));
    std::string error;
    int status = kExitOk;
    const auto recordFailed = [&] {
        err << "kestrel-cli generate: the run record \"" << escapeForMessage(utf8FromPath(recordPath))
            << "\" could not be written: " << error << "\n";
        status = kExitWriteFailed;
    };
    if (!recorder.save(error))
        recordFailed();
    request.recordFile = [&](std::size_t index, RunFile entry) { recorder.set(recordIndex[index], std::move(entry)); };
    request.landed = [&] {
        std::string ignored; // the final write says it when the record cannot be written
        recorder.save(ignored);
    };
    reporter.expect(request.files.size());
    const BatchOutcome outcome = generateBatch(request, *session, reporter);
    if (!recorder.finish(error))
        recordFailed();
    reporter.summary(outcome.written, outcome.failed,
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count(),
        a.changed ? std::optional<std::size_t>(unchanged.size()) : std::nullopt);
    return worseStatus(outcome.status, status);
}

// Passes messages on and keeps their texts.
class KeepingSink : public MessageSink {
public:
    explicit KeepingSink(MessageSink& inner) : inner_(inner) { }
    MessageAnswer show(const Message& message) override
    {
        texts.push_back(message.text);
        return inner_.show(message);
    }
    std::vector<std::string> texts;

private:
    MessageSink& inner_;
};

// One file's run record, written before the procedure is made and again
// once it is on standard output.
class SingleRecord {
public:
    SingleRecord(const Arguments& a, const Session& session, const std::string& headerDate) : path_(*a.record)
    {
        record_.started = utcTimestamp();
        record_.settings = runSettings(session, a.shared.lcid, a.shared.date ? *a.shared.date : localToday(),
            headerDate, ProcedureRequest{a.reference, a.rtf, a.strict});
        RunFile file;
        file.input = recordedPath(a.files.front());
        std::string ignored;
        file.inputSha256 = fileSha256Hex(pathFromUtf8(a.files.front()), ignored).value_or("");
        record_.files.push_back(std::move(file));
    }
    bool start(std::ostream& err) { return write(err); }
    bool finish(const ProcedureOutcome& outcome, const std::string& standard, const std::vector<std::string>& lines,
        std::ostream& err)
    {
        RunFile& file = record_.files.front();
        file.standard = standard;
        file.exitStatus = outcome.status;
        file.status = outcome.status == kExitOk ? RunFileStatus::Written : RunFileStatus::Failed;
        if (outcome.output)
            file.outputSha256 = sha256Hex(*outcome.output);
        for (const std::string& line : lines)
            (line.rfind("warning: ", 0) == 0 ? file.warnings.push_back(line)
                                             : void(file.reason += (file.reason.empty() ? "" : " ") + line));
        record_.completed = true;
        record_.finished = utcTimestamp();
        return write(err);
    }

private:
    bool write(std::ostream& err)
    {
        std::string error;
        if (writeFileAtomically(path_, runRecordJson(record_), error))
            return true;
        err << "kestrel-cli generate: the run record \"" << escapeForMessage(utf8FromPath(path_))
            << "\" could not be written: " << error << "\n";
        return false;
    }
    std::filesystem::path path_;
    RunRecord record_;
};

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
    if (a.outDir)
        if (const std::string why = batchOutputsProblem(a.files, *a.outDir, a.rtf); !why.empty())
            return usage(err, name(), why);
    if (const std::string why = recordIsInputProblem(a); !why.empty())
        return usage(err, name(), why);

    // The program's own start-up, with --lcid as the locale override and
    // --config-dir as the settings folder. The saved window defaults it
    // restores are not used: the file or the sample alone says what to write.
    const StartUpEnvironment environment = a.shared.environment();
    if (a.outDir)
        return generateFiles(a, environment, err);
    if (const std::string missing = missingInputText(a.files); !missing.empty()) {
        err << "kestrel-cli generate: " << missing << "\n";
        return kExitUnreadableFile;
    }
    StreamSink sink(err, "generate");
    const auto session = startUp(StartUpSwitches{a.shared.lcid, false}, environment, sink);
    const std::string headerDate = a.shared.date ? session->headerDate(*a.shared.date) : session->headerDateToday();

    ProcedureInputs inputs;
    std::optional<SingleRecord> record;
    std::vector<std::string> warnings; // the file's warnings and failure, for its record
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
        if (a.record) {
            record.emplace(a, *session, headerDate);
            if (!record->start(err))
                return kExitWriteFailed;
        }
        OpenedSpecFile opened = openSpecFile(pathFromUtf8(file), *session, headerDate);
        if (!opened.inputs) {
            const std::string why = openFailureText(file, opened);
            err << "kestrel-cli generate: " << why << "\n";
            ProcedureOutcome failed;
            failed.status = kExitUnreadableFile;
            if (record && !record->finish(failed, {}, {why}, err))
                return kExitWriteFailed;
            return kExitUnreadableFile;
        }
        warnings = openWarningLines(opened);
        for (const std::string& line : warnings)
            err << "kestrel-cli generate: " << line << "\n";
        inputs = std::move(*opened.inputs);
    }

    KeepingSink createMessages(sink);
    const ProcedureOutcome outcome =
        makeProcedure(inputs, session->texts, createMessages, {a.reference, a.rtf, a.strict});
    for (const std::string& line : outcome.lines)
        err << "kestrel-cli generate: " << line << "\n";
    if (outcome.output) {
        out << *outcome.output;
        out.flush();
    }
    if (record) {
        warnings.insert(warnings.end(), outcome.lines.begin(), outcome.lines.end());
        // Create's messages (nothing specified, a generator's failure) are the reason.
        for (const std::string& message : createMessages.texts)
            warnings.push_back(replaceAll(message, "\r\n", " "));
        if (!out || !record->finish(outcome, standardName(inputs), warnings, err))
            return kExitWriteFailed;
    }
    return outcome.status;
}

} // namespace kestrel::cli
