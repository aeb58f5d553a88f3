#include "cli/verify_command.h"

#include "cli/arguments.h"
#include "cli/exit_status.h"
#include "cli/procedure_comparison.h"
#include "cli/procedure_job.h"
#include "cli/run_recording.h"
#include "core/app/open_spec_file.h"
#include "core/app/run_record.h"
#include "core/app/session.h"
#include "core/base/path_text.h"
#include "core/base/sha256.h"
#include "core/base/small_file.h"
#include "core/base/user_text.h"

#include <map>
#include <optional>
#include <ostream>
#include <set>

namespace kestrel::cli {
namespace {

// A procedure is some kilobytes; a file of more than 64 MiB is none.
constexpr std::uintmax_t kMaxProcedureSize = 64u << 20;

void printHelp(std::ostream& out)
{
    out << "Usage: kestrel-cli verify DIR\n"
           "       kestrel-cli verify --record RUN.json PROCEDURE\n"
           "Checks procedures against the record of the run that made them: every output\n"
           "of a folder of procedures that generate wrote against its record\n"
           "DIR/kestrel-run.json, or one PROCEDURE against the record RUN.json (a single\n"
           "file's record, or a folder's: the entry whose output has PROCEDURE's name).\n"
           "Each procedure is made again from its specification file with the recorded\n"
           "date, locale, options, Tessel installation and localization file, and one\n"
           "line tells for each:\n"
           "  NAME: unchanged\n"
           "  NAME: edited after generation, followed by the changes step by step,\n"
           "        as diff compares procedures (A: the procedure as generated)\n"
           "  NAME: specification changed since (its SHA-256 is not the recorded one)\n"
           "  NAME: cannot be reproduced: the reason (another Kestrel version, locale,\n"
           "        localization file, tessel.ini or instrument configuration)\n"
           "  NAME: cannot be read: the reason\n"
           "With a folder, an output of a run that did not finish ('pending'), a .txt or\n"
           "an .rtf file the record does not name, and a file that failed in its run are\n"
           "named too. Where a procedure cannot be made again, the line says whether the\n"
           "file is still the one recorded (its SHA-256). A summary line ends the list.\n\n"
           "Options:\n"
           "  --record RUN.json the record to check PROCEDURE against\n"
           "  --help            this text\n\n"
        << exitStatusHelp("verify");
}

struct Arguments {
    std::vector<std::string> names;
    std::optional<std::string> record;
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
        if (arg == "--record") {
            if (i + 1 == args.size() || args[i + 1].empty())
                return "--record needs a run record file";
            a.record = args[++i];
            continue;
        }
        if (arg.size() > 1 && arg[0] == '-')
            return "unknown option \"" + arg + "\"";
        a.names.push_back(arg);
    }
    if (a.names.size() != 1)
        return a.record ? "name the one procedure file to check against the record"
                        : "name the folder whose procedures to check, or --record RUN.json PROCEDURE";
    return {};
}

enum class Verdict { Unchanged, Differs, Unreadable, Neutral };

// What verify knows of the recorded run, made once for all its files.
class Checker {
public:
    Checker(const RunRecord& record, std::ostream& out) : record_(record), out_(out)
    {
        session_ = startUpAsRecorded(record.settings, silent_);
        RunSettings now = runSettings(*session_, record.settings.lcidSwitch, {}, record.settings.headerDate, request());
        now.date = record.settings.date;
        problem_ = reproductionProblem(record.settings, now);
    }

    Verdict check(const RunFile& entry, const std::filesystem::path& procedure, const std::string& shown)
    {
        const SmallFile file = readSmallFile(procedure, kMaxProcedureSize);
        if (file.status != SmallFileStatus::Read)
            return say(Verdict::Unreadable, shown, "cannot be read: \"" + shown + "\" " + file.problem);
        const bool asRecorded = sha256Hex(file.content) == entry.outputSha256;
        const std::string recorded = asRecorded ? "; the file is the one recorded (SHA-256)"
                                                : "; the file is not the one recorded (its SHA-256 differs)";
        if (!problem_.empty())
            return say(Verdict::Differs, shown, "cannot be reproduced: " + problem_ + recorded);
        const std::filesystem::path input = pathFromUtf8(entry.input);
        std::string error;
        const std::optional<std::string> inputSha = fileSha256Hex(input, error);
        if (!inputSha)
            return say(Verdict::Unreadable, shown,
                "cannot be reproduced: its specification file \"" + escapeForMessage(entry.input) +
                    "\" cannot be read: " + error + recorded);
        if (*inputSha != entry.inputSha256)
            return say(Verdict::Differs, shown,
                "specification changed since: \"" + escapeForMessage(entry.input) + "\" is not the file recorded" +
                    recorded);
        OpenedSpecFile opened = openSpecFile(input, *session_, record_.settings.headerDate);
        std::optional<std::string> made;
        if (opened.inputs) {
            SilentSink silent;
            made = makeProcedure(*opened.inputs, session_->texts, silent, request()).output;
        }
        if (!made || sha256Hex(*made) != entry.outputSha256)
            return say(Verdict::Differs, shown,
                "cannot be reproduced: the procedure made again now is not the one recorded" + recorded);
        if (*made == file.content)
            return say(Verdict::Unchanged, shown, "unchanged");
        say(Verdict::Differs, shown, "edited after generation:");
        out_ << procedureChanges(*made, file.content);
        return Verdict::Differs;
    }

    Verdict say(Verdict verdict, const std::string& shown, const std::string& what)
    {
        out_ << shown << ": " << what << "\n";
        return verdict;
    }

private:
    ProcedureRequest request() const
    {
        return {record_.settings.reference, record_.settings.rtf, record_.settings.strict};
    }

    const RunRecord& record_;
    std::ostream& out_;
    SilentSink silent_;
    std::unique_ptr<Session> session_;
    std::string problem_;
};

struct Tally {
    std::size_t unchanged = 0, differ = 0, unreadable = 0;
    void add(Verdict verdict)
    {
        if (verdict == Verdict::Unchanged)
            ++unchanged;
        else if (verdict == Verdict::Differs)
            ++differ;
        else if (verdict == Verdict::Unreadable)
            ++unreadable;
    }
    int status() const { return unreadable ? kExitTrouble : differ ? kExitDifferent : kExitOk; }
};

void checkFolder(const RunRecord& record, const std::filesystem::path& dir, std::ostream& out, Tally& tally)
{
    Checker checker(record, out);
    std::set<std::string> named;
    for (const RunFile& entry : record.files) {
        named.insert(entry.output);
        const std::string shown = escapeForMessage(entry.output.empty() ? entry.input : entry.output);
        if (entry.status == RunFileStatus::Pending)
            tally.add(checker.say(Verdict::Differs, shown, "not made: its run did not finish it"));
        else if (entry.outputSha256.empty())
            tally.add(checker.say(
                Verdict::Neutral, shown, "no output: it failed in its run: " + escapeForMessage(entry.reason)));
        else
            tally.add(checker.check(entry, dir / pathFromUtf8(entry.output), shown));
    }
    // Procedures in the folder that no run of the record made.
    std::error_code ec;
    std::set<std::string> strangers;
    for (const auto& item : std::filesystem::directory_iterator(dir, ec)) {
        const std::string name = utf8FromPath(item.path().filename());
        const std::string extension = utf8FromPath(item.path().extension());
        if ((extension == ".txt" || extension == ".rtf") && !named.count(name))
            strangers.insert(name);
    }
    for (const std::string& name : strangers)
        tally.add(checker.say(Verdict::Differs, escapeForMessage(name), "not in the record"));
}

} // namespace

int VerifyCommand::execute(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    Arguments a;
    if (const std::string why = parseArguments(args, a); !why.empty())
        return usage(err, name(), why);
    if (a.help) {
        printHelp(out);
        return kExitOk;
    }
    const std::filesystem::path target = pathFromUtf8(a.names.front());
    const std::filesystem::path recordPath = a.record ? pathFromUtf8(*a.record) : target / kRunRecordFileName;
    const RunRecordRead read = readRunRecord(recordPath);
    if (!read.record) {
        err << "kestrel-cli verify: \"" << escapeForMessage(utf8FromPath(recordPath)) << "\" " << read.error << "\n";
        return kExitTrouble;
    }
    const RunRecord& record = *read.record;
    if (!record.completed)
        out << "kestrel-cli verify: the run recorded in \"" << escapeForMessage(utf8FromPath(recordPath))
            << "\" did not finish (started " << record.started << ", still \"running\")\n";
    Tally tally;
    if (!a.record) {
        checkFolder(record, target, out, tally);
    } else {
        // The record's one file, or the entry whose output has the file's name.
        const RunFile* entry = record.files.size() == 1 ? &record.files.front() : nullptr;
        const std::string name = utf8FromPath(target.filename());
        for (const RunFile& file : record.files)
            if (!entry && file.output == name)
                entry = &file;
        if (!entry || entry->outputSha256.empty()) {
            err << "kestrel-cli verify: \"" << escapeForMessage(utf8FromPath(recordPath)) << "\" records "
                << (entry ? "no output of its file" : "no output named \"" + escapeForMessage(name) + "\"") << "\n";
            return kExitTrouble;
        }
        Checker checker(record, out);
        tally.add(checker.check(*entry, target, escapeForMessage(a.names.front())));
    }
    out << "kestrel-cli verify: " << tally.unchanged << " unchanged, " << tally.differ << " differ, "
        << tally.unreadable << " could not be read\n";
    return tally.status();
}

} // namespace kestrel::cli
