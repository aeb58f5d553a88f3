// The sample, samples and texts commands, and what every command refuses.
#include "cli_run.h"
#include "core/i18n/english_texts.h"
#include "core/spec/samples.h"
#include "support/test_scratch_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// Arguments quoted in a message are shown with their control characters
// escaped, so that they cannot work the terminal or forge a line.
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
}

TEST(Commands, SamplesListsTheNamesOnePerLine)
{
    EXPECT_EQ(cli({"samples"}).out, "orvik62-7300\norvik62-6400\norvik28\norvik4919\nagilent34401\norvik2290\ntest\n");
    EXPECT_NE(cli({"samples", "--verbose"}).out.find("agilent34401\tSpecification for Agilent 34401 Multimeter\n"),
        std::string::npos);
}

// The files in data/samples are what the command writes: they pin every
// sample's contents (the file reads back as the sample: spec_file_test).
TEST(Commands, SampleWritesTheFileOfEachBuiltInSample)
{
    for (const auto& sample : samples()) {
        const std::string path =
            std::string(KESTREL_SOURCE_DIR) + "/data/samples/" + std::string(sample.name) + ".kestrel.json";
        EXPECT_EQ(kestrel::test::readFile(path), cli({"sample", std::string(sample.name)}).out)
            << path << " is out of date: kestrel-cli sample " << sample.name;
    }
}

test::CliRun texts(const ScratchDir& dir, const char* lcid)
{
    return cli({"texts", "--config-dir", dir.path().string(), "--lcid", lcid});
}

std::size_t lineCount(const std::string& text) { return static_cast<std::size_t>(std::ranges::count(text, '\n')); }

// Printed as the program shows them: trimmed, LF line ends, one per line; a
// damaged file is reported and English printed all the same.
TEST(Commands, TextsPrintsTheEnglishTableWithoutAUsableFile)
{
    ScratchDir dir;
    const test::CliRun r = texts(dir, "1031");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.find('\r'), std::string::npos);
    EXPECT_EQ(lineCount(r.out), englishTexts().size());
    EXPECT_EQ(r.out.rfind("100\t&DMM's\n", 0), 0u);
    EXPECT_NE(r.out.find("\n1235\tWelch-Satterthwaite\n"), std::string::npos);
    // The windows' texts after the built-in ones, the last of the table last.
    EXPECT_NE(r.out.find("\n1581\tSet Degrees of Freedom\n2000\t&Open\xE2\x80\xA6\n"), std::string::npos);
    EXPECT_NE(r.out.find("\n2010\tKestrel\n"), std::string::npos);
    const EnglishText& last = englishTexts().back();
    EXPECT_TRUE(r.out.ends_with(std::to_string(last.number) + "\t" + std::string(last.text) + "\n"));

    dir.write("Kestrel_1031.MDB", "not a localization file\n");
    const test::CliRun damaged = texts(dir, "1031");
    EXPECT_EQ(damaged.status, 1);
    EXPECT_NE(damaged.err.find("Error:Populate local rs "), std::string::npos) << damaged.err;
    EXPECT_EQ(damaged.out, r.out);
}

// Local texts of the language named, English where the file has none; the
// folder may come from the environment.
TEST(Commands, TextsOfTheNamedLanguageOverEnglish)
{
    ScratchDir dir;
    dir.write("Kestrel_1036.MDB",
        "Kestrel localization 1\n1223\t&Cr\xC3\xA9"
        "er\n1260\tConnexion\\tpause\n2005\t&Annuler\n");
    const std::string out = texts(dir, "1036").out;
    EXPECT_NE(out.find("\n2005\t&Annuler\n"), std::string::npos) << "a window text of the file";
    EXPECT_NE(out.find("\n1223\t&Cr\xC3\xA9"
                       "er\n"),
        std::string::npos);
    EXPECT_NE(out.find("\n1260\tConnexion\\tpause\n"), std::string::npos) << "a TAB stays escaped";
    EXPECT_NE(out.find("\n1224\tDisplay &Local Text\n"), std::string::npos);
    EXPECT_NE(texts(dir, "1031").out.find("\n1223\t&Create\n"), std::string::npos);
    kestrel::test::EnvGuard config("KESTREL_CONFIG_DIR");
    config.set(dir.path().string());
    EXPECT_EQ(cli({"texts", "--lcid", "1036"}).out, out);
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
