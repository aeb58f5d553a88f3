// kestrel-cli coverage: the table and the JSON of a meter file, a scope
// file, the amplifiers of the installation, and the refusals.
#include "cli/coverage_command.h"
#include "cli_run.h"
#include "support/test_scratch_dir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace kestrel::cli {
namespace {

class CoverageCli : public ::testing::Test {
protected:
    CoverageCli()
    {
        // An installation whose instrument configuration names the 3711.
        dir.write("amplified/instruments.cfg", "3711 current booster\n");
        dir.write("amplified/tessel.ini", "[startup]\nconfig=" + (dir / "amplified/instruments.cfg").string() + "\n");
        std::filesystem::create_directories(dir / "empty");
    }

    test::CliRun coverage(std::vector<std::string> args, const char* config = "empty")
    {
        args.insert(args.begin(), "coverage");
        args.insert(args.end(), {"--config-dir", (dir / config).string(), "--lcid", "1033"});
        return test::cli(args);
    }
    std::string spec(const std::string& json) { return dir.write("spec.json", json).string(); }

    kestrel::test::ScratchDir dir;
};

// DC volts 10 and 1200 (above every calibrator's 1100 or 1050), a DC
// current of 5 A (above the 3XXX's 1.99 A without the 3711), a
// thermocouple test (manual on the 3XXX and 76xx), and a resistance
// column behind an empty one.
constexpr const char* kMeter = R"({"format": "kestrel-spec", "version": 1,
    "meter": {"reference": "7320", "functions": {
        "dcv": [{"range": "10"}, {"range": "1200"}],
        "dci": [{"range": "5"}],
        "ohm": [{"range": "100"}, {}, {"range": "1K"}],
        "tc": [{"range": "100"}]}}})";

TEST_F(CoverageCli, TablesEveryMeterStandardWithTheFilesOwnMarked)
{
    const test::CliRun run = coverage({spec(kMeter)});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(run.out,
        "  standard  as specified  reduced  manual  left out\n"
        "  3300                 2        2       1         1\n"
        "  3302                 2        2       1         1\n"
        "  3304                 2        2       1         1\n"
        "  3306                 2        2       1         1\n"
        "  3400                 2        2       1         1\n"
        "  3402                 2        2       1         1\n"
        "  3406                 2        2       1         1\n"
        "  7300                 4        1       0         1\n"
        "* 7320                 4        1       0         1\n"
        "  7600                 2        2       1         1\n"
        "  7620                 2        2       1         1\n"
        "  6400                 4        1       0         1\n");
}

TEST_F(CoverageCli, FollowsTheInstalledAmplifiers)
{
    // With the 3711 the 3XXX sources 5 A: one reduction fewer.
    const test::CliRun run = coverage({spec(kMeter)}, "amplified");
    ASSERT_EQ(run.status, kExitOk) << run.err;
    EXPECT_NE(run.out.find("  3300                 3        1       1         1\n"), std::string::npos) << run.out;
}

TEST_F(CoverageCli, JsonListsEachPointUnderItsOutcome)
{
    const test::CliRun run = coverage({spec(kMeter), "--json"});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    const nlohmann::json all = nlohmann::json::parse(run.out);
    ASSERT_EQ(all.size(), 12u);
    const nlohmann::json& first = all[0];
    EXPECT_EQ(first["standard"], "3300");
    EXPECT_EQ(first["own"], false);
    EXPECT_EQ(all[8]["own"], true);
    EXPECT_EQ(first["asSpecified"],
        nlohmann::json::parse(R"([{"function": "dcv", "column": 0}, {"function": "ohm", "column": 0}])"));
    EXPECT_EQ(first["reduced"][0], nlohmann::json::parse(R"({"function": "dcv", "column": 1, "changes":
        [{"quantity": "nominal", "specified": "1200", "limit": "1100", "tested": "1100"}]})"));
    EXPECT_EQ(first["reduced"][1]["changes"][0]["tested"], "1.99A");
    EXPECT_EQ(
        first["manual"], nlohmann::json::parse(R"([{"function": "tc", "column": 0, "reason": "functionNotSourced"}])"));
    EXPECT_EQ(
        first["leftOut"], nlohmann::json::parse(R"([{"function": "ohm", "column": 2, "reason": "afterEmptyRange"}])"));
}

TEST_F(CoverageCli, ScopeFilesHaveNone)
{
    const std::string file = spec(R"({"format": "kestrel-spec", "version": 1, "page": "scope"})");
    const test::CliRun table = coverage({file});
    EXPECT_EQ(table.status, kExitOk) << table.err;
    EXPECT_EQ(table.out, "the Scopes page has no calibrator coverage\n");
    const test::CliRun json = coverage({file, "--json"});
    EXPECT_EQ(json.status, kExitOk);
    EXPECT_EQ(json.out, "[]\n");
    EXPECT_NE(json.err.find("no calibrator coverage"), std::string::npos);
}

TEST_F(CoverageCli, RefusesWhatItCannotRead)
{
    for (const auto& [args, status, said] : std::vector<std::tuple<std::vector<std::string>, int, std::string>>{
             {{}, kExitUsage, "which specification?"},
             {{"a.json", "b.json"}, kExitUsage, "name one specification file"},
             {{"a.json", "--frobnicate"}, kExitUsage, "unknown option"},
             {{(dir / "missing.json").string()}, 1, "missing.json"},
         }) {
        const test::CliRun run = coverage(args);
        EXPECT_EQ(run.status, status) << said;
        EXPECT_NE(run.err.find(said), std::string::npos) << run.err;
    }
}

} // namespace
} // namespace kestrel::cli
