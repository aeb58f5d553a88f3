// What every command does alike: a refused command line and help, its
// arguments quoted with their control characters escaped, and output that
// cannot be written.
#include "cli_run.h"
#include "support/test_scratch_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <streambuf>

namespace kestrel::cli {
namespace {

using kestrel::test::ScratchDir;
using test::cli;

// A refused command line exits with 2, writes nothing to the output and says
// why on the error stream; a help request exits with 0 and names its options.
TEST(Commands, RefusedArgumentsAndHelp)
{
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* says;
    };
    for (const Case& c : std::vector<Case>{{{}, 2, "Usage: kestrel-cli COMMAND"},
             {{"frobnicate"}, 2, "unknown command 'frobnicate'"}, {{"generate"}, 2, "kestrel-cli generate: "},
             {{"generate", "--sample"}, 2, "kestrel-cli generate: "}, {{"generate", "--sample", "nosuch"}, 2, "nosuch"},
             {{"generate", "a.json", "--sample", "agilent34401"}, 2, "kestrel-cli generate: "},
             {{"generate", "a.json", "b.json"}, 2, "kestrel-cli generate: "},
             {{"generate", "a.json", "--date", "2026-02-30"}, 2, "2026-02-30"},
             {{"generate", "a.json", "--date", "0000-01-01"}, 2, "0000-01-01"},
             {{"generate", "a.json", "--date", "-001-01-01"}, 2, "-001-01-01"},
             {{"generate", "a.json", "--date", "+202-01-01"}, 2, "+202-01-01"},
             {{"generate", "a.json", "--lcid", "x"}, 2, "kestrel-cli generate: "},
             {{"generate", "a.json", "--fast"}, 2, "--fast"}, {{"sample"}, 2, "kestrel-cli sample: "},
             {{"sample", "agilent"}, 2, "no sample is called \"agilent\""},
             {{"sample", "test", "orvik28"}, 2, "kestrel-cli sample: "},
             {{"sample", "--long"}, 2, "kestrel-cli sample: "}, {{"samples", "extra"}, 2, "kestrel-cli samples: "},
             {{"texts", "--lcid"}, 2, "kestrel-cli texts: "}, {{"texts", "--lcid", "10x"}, 2, "kestrel-cli texts: "},
             {{"texts", "--config-dir"}, 2, "kestrel-cli texts: "},
             {{"texts", "--frobnicate"}, 2, "kestrel-cli texts: "}, {{"--help"}, 0, "  generate    "},
             {{"generate", "--help"}, 0, "KESTREL_CONFIG_DIR"}, {{"generate", "--help"}, 0, "  4  "},
             {{"sample", "--help"}, 0, "orvik62-7300, orvik62-6400"},
             {{"samples", "--help"}, 0, "Usage: kestrel-cli samples"},
             {{"texts", "--help"}, 0, "Usage: kestrel-cli texts [--lcid N] [--config-dir DIR]"}}) {
        const test::CliRun r = cli(c.args);
        const std::string line = c.args.empty() ? "(none)" : c.args.front() + " ... " + c.args.back();
        EXPECT_EQ(r.status, c.status) << line;
        EXPECT_NE((c.status == 0 ? r.out : r.err).find(c.says), std::string::npos) << line;
        EXPECT_TRUE(c.status == 0 || r.out.empty()) << line;
    }
}

// What the user gave, quoted in a message, is shown with its control and
// invisible characters escaped, so that it cannot work the terminal or
// forge a line: an argument of any command, and a value or key a
// specification file holds.
TEST(Commands, QuotedArgumentsShowControlCharactersEscaped)
{
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"\x1b]0;title\x07"}, "kestrel-cli: unknown command '\\u001b]0;title\\u0007'\n"},
        {{"sample", "x\nkestrel-cli sample: forged"},
            "kestrel-cli sample: no sample is called \"x\\u000akestrel-cli sample: forged\"; 'kestrel-cli samples' "
            "lists them\n"},
        {{"generate", "--date", "\x1b[2J"},
            "kestrel-cli generate: --date needs a date of the years 0001 to 9999 written YYYY-MM-DD, not "
            "\"\\u001b[2J\"\n"}};
    for (const auto& [args, line] : cases) {
        const test::CliRun r = cli(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err.substr(0, r.err.find('\n') + 1), line);
    }

    const std::pair<std::string, std::string> files[] = {
        {R"({"page":"x\n\u001b]0;title\u0007\u001b[2J"})",
            R"(page: "x\u000a\u001b]0;title\u0007\u001b[2J" is not one of "meter", "scope")"},
        {R"({"\u001b[2J":1})", R"(\u001b[2J: unknown key)"},
        {R"({"procedure":{"name":"a","name\u202e":"b","name\u202e":"c"}})",
            R"(procedure.name\u202e: appears twice; a key may appear once in its object)"}};
    ScratchDir dir;
    for (const auto& [json, message] : files) {
        const std::string file = dir.write("spec.json", json).string();
        const test::CliRun r = cli({"generate", file, "--config-dir", dir.path().string()});
        EXPECT_EQ(r.status, 1) << json; // the file is unreadable or invalid
        EXPECT_NE(r.err.find("kestrel-cli generate: " + file + ": " + message + "\n"), std::string::npos) << r.err;
    }
}

// Output that cannot be written (a full disk, a closed pipe) is never a
// success, for any command: it is said on the error stream and the status is 5.
class FailingBuffer : public std::streambuf {
public:
    explicit FailingBuffer(std::size_t room) : room_(room) { }

protected:
    int_type overflow(int_type ch) override
    {
        if (room_ == 0 || traits_type::eq_int_type(ch, traits_type::eof()))
            return traits_type::eof();
        --room_;
        return ch;
    }

private:
    std::size_t room_;
};

TEST(Commands, AFailedWriteIsAFailure)
{
    const std::vector<std::vector<std::string>> commands{{"--help"}, {"samples"}, {"samples", "--verbose"},
        {"sample", "agilent34401"}, {"texts", "--help"}, {"generate", "--help"},
        {"generate", "--sample", "agilent34401", "--date", "2026-12-05"}};
    for (const std::size_t room : {std::size_t{0}, std::size_t{20}}) {
        for (const auto& args : commands) {
            FailingBuffer buffer(room);
            std::ostream out(&buffer);
            std::ostringstream err;
            EXPECT_EQ(run(args, out, err), 5) << args.front() << " with room for " << room;
            EXPECT_NE(err.str().find("kestrel-cli: the output could not be written completely"), std::string::npos)
                << err.str();
        }
    }
#ifndef _WIN32
    // The device that is always full.
    std::ofstream full("/dev/full");
    if (full) {
        std::ostringstream err;
        EXPECT_EQ(run({"sample", "agilent34401"}, full, err), 5);
    }
#endif
    // Every command documents the status.
    for (const char* command : {"generate", "texts", "sample", "samples"})
        EXPECT_NE(cli({command, "--help"}).out.find("\n  5  the output could not be written"), std::string::npos)
            << command;
}

} // namespace
} // namespace kestrel::cli
