// The options several commands share are read alike by each: one message
// per refused value, whichever command it is given to, and refused as
// unknown by a command that does not take it.
#include "cli_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrel::cli {
namespace {

using test::cli;

TEST(SharedOptions, EveryCommandRefusesABadValueAlike)
{
    // Each command's arguments, complete but for the shared option added.
    const std::vector<std::vector<std::string>> commands{{"generate", "a.json"}, {"diff", "--procedure", "a", "b"},
        {"coverage", "a.json"}, {"report", "a", "b", "--json", "r.json"}, {"texts"}};
    struct Case {
        std::vector<std::string> option;
        const char* says;
        bool coverageAndTextsTakeIt;
    };
    const Case cases[] = {
        {{"--date", "2026-13-01"},
            "--date needs a date of the years 0001 to 9999 written YYYY-MM-DD, not \"2026-13-01\"\n", false},
        {{"--date"}, "--date needs a value\n", false},
        {{"--lcid", "10x"}, "--lcid needs a whole number, not \"10x\"\n", true},
        {{"--lcid", ""}, "--lcid needs a whole number, not \"\"\n", true},
        {{"--config-dir"}, "--config-dir needs a value\n", true}};
    for (const auto& command : commands) {
        for (const Case& c : cases) {
            std::vector<std::string> args = command;
            args.insert(args.end(), c.option.begin(), c.option.end());
            const test::CliRun r = cli(args);
            const std::string what = command.front() + " " + c.option.front();
            EXPECT_EQ(r.status, 2) << what;
            EXPECT_EQ(r.out, "") << what;
            const bool takesIt =
                c.coverageAndTextsTakeIt || (command.front() != "coverage" && command.front() != "texts");
            const std::string line = r.err.substr(0, r.err.find('\n') + 1);
            if (takesIt)
                EXPECT_EQ(line, "kestrel-cli " + command.front() + ": " + c.says) << what;
            else
                EXPECT_NE(line.find("\"--date\""), std::string::npos) << what << ": " << line;
        }
    }
}

// diff takes the options of the procedures only with --procedure.
TEST(SharedOptions, DiffTakesThemWithProcedureOnly)
{
    for (const std::vector<std::string>& option :
        {std::vector<std::string>{"--date", "2026-12-05"}, {"--lcid", "1031"}, {"--config-dir", "x"}}) {
        std::vector<std::string> args{"diff", "a", "b"};
        args.insert(args.end(), option.begin(), option.end());
        const test::CliRun r = cli(args);
        EXPECT_EQ(r.status, 2) << option.front();
        EXPECT_NE(r.err.find("go with --procedure only"), std::string::npos) << r.err;
    }
}

} // namespace
} // namespace kestrel::cli
