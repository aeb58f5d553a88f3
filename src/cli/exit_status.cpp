#include "cli/exit_status.h"

#include <algorithm>

namespace kestrel::cli {

const std::vector<ExitStatus>& exitStatuses()
{
    static const std::vector<ExitStatus> statuses{
        {kExitOk, "ok", 6,
            {{{"generate"}, "the procedure was written"}, {{"diff"}, "the two are the same"},
                {{"verify"}, "every procedure is unchanged"},
                {{"coverage"}, "the coverage was written (also for a Scopes file)"},
                {{"report"}, "the report was written"}, {{"texts", "sample", "samples"}, "done"}}},
        {kExitUnreadableFile, "unreadable file", 2,
            {{{"generate"},
                 "the file could not be read (missing, a folder, device or pipe, or larger than 4 MiB) or is not a "
                 "valid specification file (the message names the offending key path)"},
                {{"coverage"},
                    "a file could not be read or is not a valid specification file (the others are still shown)"},
                {{"report"}, "a file could not be read (the report, written, names it)"},
                {{"texts"}, "the localization file could not be used (the English texts are printed)"}}},
        {kExitDifferent, "different", -1,
            {{{"diff"}, "they differ"},
                {{"verify"},
                    "a procedure differs: edited, its specification changed, it cannot be reproduced, not "
                    "made by its run, or not in the record"}}},
        {kExitUsage, "usage", 1,
            {{{"generate"},
                 "wrong arguments or unknown sample name, or --reference names a standard of the other page than "
                 "the file's"},
                {{"coverage", "texts", "samples"}, "wrong arguments"},
                {{"report"}, "wrong arguments, or an output that is an input under any name"},
                {{"sample"}, "no or unknown sample name"}}},
        {kExitTrouble, "trouble", -1,
            {{{"diff"},
                 "wrong arguments, or a file could not be read or is not a valid specification file, which standard "
                 "error then names (and standard output is empty)"},
                {{"verify"}, "wrong arguments, or a record, procedure or specification file could not be read"}}},
        {kExitNothingCreated, "nothing created", 3,
            {{{"generate"},
                 "\"Could not create the procedure.\": nothing is specified for the chosen page, or the chosen "
                 "standard has no generator"},
                {{"diff"}, "with --procedure: a file specifies nothing to create"}}},
        {kExitGeneratorFailed, "generator failed", 5,
            {{{"generate"},
                 "a generator failed midway: its message on standard error, the text it had written (without "
                 "header) on standard output or in the file"},
                {{"diff"}, "with --procedure: a generator failed midway (its message on standard error)"}}},
        {kExitWriteFailed, "write failed", 0,
            {{{"generate", "diff", "verify", "coverage", "texts", "sample", "samples"},
                 "the output could not be written completely (a full disk, a closed pipe)"},
                {{"report"}, "a report file could not be written"}}},
        {kExitFieldOverflow, "field overflow", 4,
            {{{"generate"},
                "with --strict: a field's text is longer than its column (the warnings name them); nothing was "
                "written"}}},
    };
    return statuses;
}

namespace {

// The statuses generate returns, worst first.
std::vector<int> worstFirstNumbers()
{
    std::vector<const ExitStatus*> ranked;
    for (const ExitStatus& status : exitStatuses())
        if (status.worstFirst >= 0)
            ranked.push_back(&status);
    std::ranges::sort(ranked, {}, &ExitStatus::worstFirst);
    std::vector<int> numbers;
    for (const ExitStatus* status : ranked)
        numbers.push_back(status->number);
    return numbers;
}

// The text as lines of at most `width` characters, the first after
// `first`, the others after `indent`.
std::string wrapped(std::string_view text, const std::string& first, const std::string& indent, std::size_t width)
{
    std::string out = first;
    std::size_t lineStart = 0;
    bool lineEmpty = true;
    while (!text.empty()) {
        const std::size_t end = text.find(' ');
        const std::string_view word = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!lineEmpty && out.size() - lineStart + 1 + word.size() > width) {
            out += "\n";
            lineStart = out.size();
            out += indent;
            lineEmpty = true;
        }
        out += lineEmpty ? "" : " ";
        out += word;
        lineEmpty = false;
    }
    return out + "\n";
}

} // namespace

int worseStatus(int a, int b)
{
    for (const int status : worstFirstNumbers())
        if (a == status || b == status)
            return status;
    return kExitOk;
}

std::string worstFirstOrder()
{
    std::string order;
    for (const int status : worstFirstNumbers())
        order += (order.empty() ? "" : ", ") + std::to_string(status);
    return order;
}

std::vector<std::pair<int, std::string_view>> commandStatuses(std::string_view command)
{
    std::vector<std::pair<int, std::string_view>> statuses;
    for (const ExitStatus& status : exitStatuses())
        for (const ExitStatusMeaning& meaning : status.meanings)
            if (std::ranges::find(meaning.commands, command) != meaning.commands.end())
                statuses.emplace_back(status.number, meaning.text);
    std::ranges::stable_sort(statuses, {}, &std::pair<int, std::string_view>::first);
    return statuses;
}

std::string exitStatusHelp(std::string_view command, std::string_view heading)
{
    // As wide as the rest of the help text.
    constexpr std::size_t kWidth = 76;
    std::string help = wrapped(heading, "", "", kWidth);
    for (const auto& [number, text] : commandStatuses(command))
        help += wrapped(text, "  " + std::to_string(number) + "  ", "     ", kWidth);
    return help;
}

} // namespace kestrel::cli
