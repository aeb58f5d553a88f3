// The exit statuses as users' scripts know them (docs/command-line.md, the
// manual page): the numbers here are the documented ones, written out, so
// that a status that changes its number fails here.
#include "cli/exit_status.h"
#include "cli_run.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace kestrel::cli {
namespace {

using test::cli;

// The "Exit status" part of a command's help: each status's number and its
// text, the continuation lines joined.
struct HelpStatuses {
    std::string heading;
    std::vector<std::pair<int, std::string>> statuses;
    std::vector<std::string> lines;
};

HelpStatuses helpStatuses(const std::string& help)
{
    HelpStatuses part;
    std::istringstream in(help.substr(help.find("\nExit status") + 1));
    std::string line;
    while (std::getline(in, line) && !line.empty()) {
        part.lines.push_back(line);
        if (line.size() > 5 && line.starts_with("  ") && std::isdigit(static_cast<unsigned char>(line[2])) &&
            line.substr(3, 2) == "  ")
            part.statuses.emplace_back(line[2] - '0', line.substr(5));
        else if (line.starts_with("     ") && !part.statuses.empty())
            part.statuses.back().second += " " + line.substr(5);
        else
            part.heading += (part.heading.empty() ? "" : " ") + line;
    }
    return part;
}

TEST(ExitStatus, EachCommandsHelpListsItsDocumentedStatuses)
{
    const std::map<std::string, std::vector<int>> documented{{"generate", {0, 1, 2, 3, 4, 5, 6}},
        {"diff", {0, 1, 2, 3, 4, 5}}, {"verify", {0, 1, 2, 5}}, {"coverage", {0, 1, 2, 5}}, {"report", {0, 1, 2, 5}},
        {"texts", {0, 1, 2, 5}}, {"sample", {0, 2, 5}}, {"samples", {0, 2, 5}}};
    for (const auto& [command, numbers] : documented) {
        const HelpStatuses part = helpStatuses(cli({command, "--help"}).out);
        std::vector<int> listed;
        for (const auto& status : part.statuses)
            listed.push_back(status.first);
        EXPECT_EQ(listed, numbers) << command;
        for (const std::string& line : part.lines)
            EXPECT_LE(line.size(), 78u) << command << ": " << line;
    }
}

// What each number means, as the documentation says it.
TEST(ExitStatus, EachStatusMeansWhatTheDocumentationSays)
{
    struct Case {
        const char* command;
        int status;
        const char* says;
    };
    for (const Case& c : {Case{"generate", 0, "the procedure was written"}, {"generate", 1, "could not be read"},
             {"generate", 2, "wrong arguments"}, {"generate", 3, "\"Could not create the procedure.\""},
             {"generate", 4, "a generator failed midway"}, {"generate", 5, "could not be written completely"},
             {"generate", 6, "with --strict: a field's text is longer than its column"}, {"diff", 0, "the same"},
             {"diff", 1, "they differ"}, {"diff", 2, "a file could not be read"},
             {"diff", 3, "with --procedure: a file specifies nothing"}, {"diff", 4, "a generator failed midway"},
             {"verify", 1, "a procedure differs"}, {"verify", 2, "could not be read"},
             {"coverage", 1, "could not be read"}, {"report", 1, "could not be read"},
             {"report", 5, "a report file could not be written"}, {"texts", 1, "the localization file"},
             {"sample", 2, "unknown sample name"}, {"samples", 5, "could not be written completely"}}) {
        const HelpStatuses part = helpStatuses(cli({c.command, "--help"}).out);
        std::string text;
        for (const auto& [number, meaning] : part.statuses)
            if (number == c.status)
                text = meaning;
        EXPECT_NE(text.find(c.says), std::string::npos) << c.command << " " << c.status << ": " << text;
    }
    EXPECT_NE(cli({"--help"}).out.find("Every command exits with status 5 when"), std::string::npos);
}

// generate --out-dir exits with the worst of its files' statuses, worst
// first 5, 2, 1, 3, 6, 4, 0, and its help says that order.
TEST(ExitStatus, GenerateOutDirTakesTheWorstInTheDocumentedOrder)
{
    const int worstFirst[] = {5, 2, 1, 3, 6, 4, 0};
    for (std::size_t i = 0; i < std::size(worstFirst); ++i)
        for (std::size_t j = 0; j < std::size(worstFirst); ++j)
            EXPECT_EQ(worseStatus(worstFirst[i], worstFirst[j]), worstFirst[std::min(i, j)])
                << worstFirst[i] << " " << worstFirst[j];
    EXPECT_EQ(helpStatuses(cli({"generate", "--help"}).out).heading,
        "Exit status (with --out-dir the worst of the files', worst first in the order 5, 2, 1, 3, 6, 4, 0):");
}

} // namespace
} // namespace kestrel::cli
