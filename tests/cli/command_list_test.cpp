// The reference of every command is its --help: docs/command-line.md holds
// each help text as it is, and the manual page each command's options and
// exit statuses in roff, both between marker comments. A help text changed
// without them fails here; KESTREL_UPDATE_REFERENCE=1 rewrites the marked
// parts of both files from the help texts.
#include "cli/command_list.h"
#include "cli/exit_status.h"
#include "cli_run.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace kestrel::cli {
namespace {

using test::cli;

const std::string kDocs = std::string(KESTREL_SOURCE_DIR) + "/docs/command-line.md";
const std::string kManualPage = std::string(KESTREL_SOURCE_DIR) + "/packaging/kestrel-cli.1.in";

std::vector<std::string> commandNames()
{
    std::vector<std::string> names;
    for (const auto& command : allCommands())
        names.push_back(command->name());
    return names;
}

// Roff for a text: backslashes and minus signs escaped (so that an option
// copied from the page is typed as it is), "@" too (installation fills in
// @NAME@ in the page), lines of at most 72 characters, none that roff would
// take for a request.
std::string roff(const std::string& text)
{
    std::string out, line;
    std::istringstream words(text);
    std::string word;
    const auto endLine = [&] {
        if (line.empty())
            return;
        out += (line[0] == '.' || line[0] == '\'' ? "\\&" : "") + line + "\n";
        line.clear();
    };
    while (words >> word) {
        std::string escaped;
        for (const char c : word)
            escaped += c == '\\' ? std::string("\\e")
                : c == '-'       ? std::string("\\-")
                : c == '@'       ? std::string("\\(at")
                                 : std::string(1, c);
        if (!line.empty() && line.size() + 1 + escaped.size() > 72)
            endLine();
        line += (line.empty() ? "" : " ") + escaped;
    }
    endLine();
    return out;
}

// The options a help text lists: each option with its value's name, and
// its text with the continuation lines joined.
std::vector<std::pair<std::string, std::string>> helpOptions(const std::string& help)
{
    std::vector<std::pair<std::string, std::string>> options;
    const std::size_t start = help.find("\nOptions:\n");
    if (start == std::string::npos)
        return options;
    std::istringstream in(help.substr(start + 10));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line) && !line.empty();)
        lines.push_back(line);
    // The texts start in the column of --help's.
    std::size_t column = 0;
    for (const std::string& line : lines)
        if (line.starts_with("  --help "))
            column = line.find_first_not_of(' ', 8);
    for (const std::string& line : lines) {
        if (line.starts_with("  -")) {
            std::string spec = line.substr(2, column - 2);
            spec.erase(spec.find_last_not_of(' ') + 1);
            options.emplace_back(spec, line.substr(column));
        } else if (!options.empty()) {
            options.back().second += " " + line.substr(line.find_first_not_of(' '));
        }
    }
    return options;
}

// A command's part of OPTIONS: each option bold, its value italic.
std::string manualOptions(const std::string& command)
{
    std::string out = ".SS " + command + "\n";
    for (const auto& [spec, text] : helpOptions(cli({command, "--help"}).out)) {
        std::string tag;
        std::istringstream tokens(spec);
        for (std::string token; tokens >> token;) {
            const bool comma = token.ends_with(",");
            if (comma)
                token.pop_back();
            std::string name = roff(token);
            name.pop_back();
            tag += (tag.empty() ? "" : " ") + std::string(token[0] == '-' ? "\\fB" : "\\fI") + name + "\\fR" +
                (comma ? "," : "");
        }
        out += ".TP\n" + tag + "\n" + roff(text);
    }
    return out;
}

// A command's part of EXIT STATUS: each status bold, then its meaning.
std::string manualStatuses(const std::string& command)
{
    std::string out = ".SS " + command + "\n";
    if (command == "generate")
        out += roff(
            "With --out-dir the worst of the files' statuses, worst first in the order " + worstFirstOrder() + ".");
    for (const auto& [number, text] : commandStatuses(command))
        out += ".TP\n.B " + std::to_string(number) + "\n" + roff(std::string(text) + ".");
    return out;
}

struct Marked {
    std::string begin, end, expected;
};

std::string readText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Compares each marked part of the file with what it should hold; with
// KESTREL_UPDATE_REFERENCE set, writes that instead.
void checkMarkedParts(const std::string& path, const std::vector<Marked>& parts)
{
    std::string text = readText(path);
    ASSERT_FALSE(text.empty()) << path;
    bool changed = false;
    for (const Marked& part : parts) {
        const std::size_t begin = text.find(part.begin);
        if (begin == std::string::npos) {
            ADD_FAILURE() << path << " has no line \"" << part.begin << "\" followed by:\n" << part.expected;
            continue;
        }
        const std::size_t from = begin + part.begin.size() + 1;
        const std::size_t to = text.find(part.end, from);
        ASSERT_NE(to, std::string::npos) << path << ": \"" << part.begin << "\" is not ended by " << part.end;
        if (text.compare(from, to - from, part.expected) == 0)
            continue;
        if (std::getenv("KESTREL_UPDATE_REFERENCE")) {
            text.replace(from, to - from, part.expected);
            changed = true;
        } else {
            ADD_FAILURE() << path << " after \"" << part.begin << "\" should read:\n" << part.expected;
        }
    }
    if (changed)
        std::ofstream(path, std::ios::binary) << text;
}

#ifdef _WIN32
// The help names Windows' defaults there; the documents give the others'.
#define SKIP_ON_WINDOWS() GTEST_SKIP() << "the help texts name Windows' defaults"
#else
#define SKIP_ON_WINDOWS() (void)0
#endif

TEST(CommandReference, TheCommandLineDocumentHoldsEveryHelpText)
{
    SKIP_ON_WINDOWS();
    std::vector<Marked> parts{{"<!-- kestrel-cli --help -->", "```\n", "```text\n" + cli({"--help"}).out}};
    for (const std::string& command : commandNames())
        parts.push_back(
            {"<!-- kestrel-cli " + command + " --help -->", "```\n", "```text\n" + cli({command, "--help"}).out});
    checkMarkedParts(kDocs, parts);
}

TEST(CommandReference, TheManualPageHoldsEveryOptionAndExitStatus)
{
    SKIP_ON_WINDOWS();
    std::vector<Marked> parts;
    for (const std::string& command : commandNames()) {
        parts.push_back({".\\\" kestrel-cli " + command + " --help: options", ".\\\" end", manualOptions(command)});
        parts.push_back(
            {".\\\" kestrel-cli " + command + " --help: exit status", ".\\\" end", manualStatuses(command)});
    }
    checkMarkedParts(kManualPage, parts);
}

} // namespace
} // namespace kestrel::cli
