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
    std::string spec(const std::string& json, const std::string& name = "spec.json")
    {
        return dir.write(name, json).string();
    }

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
    ASSERT_EQ(run.status, 0) << run.err;
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
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("  3300                 3        1       1         1\n"), std::string::npos) << run.out;
}

TEST_F(CoverageCli, JsonListsEachPointUnderItsOutcome)
{
    const test::CliRun run = coverage({spec(kMeter), "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
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
    EXPECT_EQ(table.status, 0) << table.err;
    EXPECT_EQ(table.out, "the Scopes page has no calibrator coverage\n");
    const test::CliRun json = coverage({file, "--json"});
    EXPECT_EQ(json.status, 0);
    EXPECT_EQ(json.out, "[]\n");
    EXPECT_NE(json.err.find("no calibrator coverage"), std::string::npos);
}

TEST_F(CoverageCli, RefusesWhatItCannotRead)
{
    for (const auto& [args, status, said] : std::vector<std::tuple<std::vector<std::string>, int, std::string>>{
             {{}, 2, "which specification?"},
             {{"a.json", "--frobnicate"}, 2, "unknown option"},
             {{(dir / "missing.json").string()}, 1, "missing.json"},
         }) {
        const test::CliRun run = coverage(args);
        EXPECT_EQ(run.status, status) << said;
        EXPECT_NE(run.err.find(said), std::string::npos) << run.err;
    }
}

// A file every standard tests as specified: 10 V DC only.
constexpr const char* kPlain = R"({"format": "kestrel-spec", "version": 1,
    "meter": {"reference": "3300", "functions": {"dcv": [{"range": "10"}]}}})";
constexpr const char* kScope = R"({"format": "kestrel-spec", "version": 1, "page": "scope"})";

TEST_F(CoverageCli, ManyFilesEndWithASummaryPerStandard)
{
    const std::string meter = spec(kMeter, "meter.json"), plain = spec(kPlain, "plain.json"),
                      scope = spec(kScope, "scope.json"), missing = (dir / "missing.json").string();
    const test::CliRun run = coverage({meter, plain, scope, missing});
    // A file that cannot be read fails the run, but everything else is shown.
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("missing.json"), std::string::npos) << run.err;
    const std::string own3300 = "* 3300                 1        0       0         0\n";
    EXPECT_NE(run.out.find(meter + "\n  standard  as specified  reduced  manual  left out\n  3300 "), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("\n" + plain + "\n  standard  as specified  reduced  manual  left out\n" + own3300),
        std::string::npos)
        << run.out;
    EXPECT_NE(
        run.out.find("\n" + scope + "\n  the Scopes page has no calibrator coverage\n\n" + missing + "\n  not read: "),
        std::string::npos)
        << run.out;
    const std::size_t summary = run.out.find("\nsummary of 2 meter files");
    ASSERT_NE(summary, std::string::npos) << run.out;
    // Both files fit the 7300 but for the 1200 V point it reduces; the
    // 3XXX also leaves the thermocouple to the operator.
    EXPECT_EQ(run.out.substr(run.out.find('\n', summary + 1) + 1),
        "  standard  complete  reduced  manual  left out\n"
        "  3300             1        1       1         1\n"
        "  3302             1        1       1         1\n"
        "  3304             1        1       1         1\n"
        "  3306             1        1       1         1\n"
        "  3400             1        1       1         1\n"
        "  3402             1        1       1         1\n"
        "  3406             1        1       1         1\n"
        "  7300             1        1       0         1\n"
        "  7320             1        1       0         1\n"
        "  7600             1        1       1         1\n"
        "  7620             1        1       1         1\n"
        "  6400             1        1       0         1\n");
}

TEST_F(CoverageCli, ManyFilesInJsonAreOneObjectEach)
{
    const std::string meter = spec(kMeter, "meter.json"), plain = spec(kPlain, "plain.json"),
                      scope = spec(kScope, "scope.json"), missing = (dir / "missing.json").string();
    const test::CliRun run = coverage({meter, plain, scope, missing, "--json"});
    EXPECT_EQ(run.status, 1);
    const nlohmann::json all = nlohmann::json::parse(run.out);
    const nlohmann::json& files = all["files"];
    ASSERT_EQ(files.size(), 4u);
    EXPECT_EQ(files[0]["file"], meter);
    // Each file's coverage is what the file alone gives.
    EXPECT_EQ(files[0]["coverage"], nlohmann::json::parse(coverage({meter, "--json"}).out));
    EXPECT_EQ(files[1]["coverage"][0]["asSpecified"].size(), 1u);
    EXPECT_EQ(files[2]["coverage"], nlohmann::json::array());
    EXPECT_FALSE(files[3].contains("coverage"));
    EXPECT_NE(files[3]["error"].get<std::string>().find("missing.json"), std::string::npos);
    const nlohmann::json& summary = all["summary"];
    ASSERT_EQ(summary.size(), 12u);
    EXPECT_EQ(summary[0], nlohmann::json::parse(R"({"standard": "3300", "files": 2, "complete": 1,
        "reduced": 1, "manual": 1, "leftOut": 1})"));
    EXPECT_EQ(summary[7]["standard"], "7300");
    EXPECT_EQ(summary[7]["manual"], 0);
}

TEST_F(CoverageCli, AFileNameCannotForgeALine)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows file names cannot hold a line break";
#endif
    const std::string meter = spec(kPlain, "a\nsummary of 9 meter files.json");
    const test::CliRun run = coverage({meter, spec(kPlain, "b.json")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.find("\nsummary of 9"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\nsummary of 2 meter files"), std::string::npos) << run.out;
}

} // namespace
} // namespace kestrel::cli
