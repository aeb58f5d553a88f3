// kestrel-cli report: the review report of two files names exactly the
// changes diff and diff --procedure find, its HTML escapes what the files
// and their names hold, and a library's summary counts its files.
#include "cli/report_command.h"
#include "cli_run.h"
#include "core/app/spec_file.h"
#include "support/random_specification.h"
#include "support/test_scratch_dir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace kestrel::cli {
namespace {

class Report : public ::testing::Test {
protected:
    Report() { std::filesystem::create_directories(dir / "empty"); }

    std::vector<std::string> options() const
    {
        return {"--date", "2026-12-05", "--lcid", "1033", "--config-dir", (dir / "empty").string()};
    }
    test::CliRun report(std::vector<std::string> args)
    {
        args.insert(args.begin(), "report");
        const std::vector<std::string> more = options();
        args.insert(args.end(), more.begin(), more.end());
        return test::cli(args);
    }
    std::string read(const std::string& name) const
    {
        std::ifstream in(dir / name, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::string spec(const std::string& name, const std::string& json) { return dir.write(name, json).string(); }

    kestrel::test::ScratchDir dir;
};

constexpr const char* kBefore = R"({"format": "kestrel-spec", "version": 1, "procedure": {"name": "DMM"},
    "meter": {"reference": "7320", "functions": {"dcv": [{"range": "1"}, {"range": "10"}]}}})";
constexpr const char* kAfter = R"({"format": "kestrel-spec", "version": 1, "procedure": {"name": "DMM"},
    "meter": {"reference": "7320", "functions": {"dcv": [{"range": "1"}, {"range": "1200"}]}}})";

// Random pairs: the report's changes are, to the character, the ones diff
// --json and diff --procedure --json write for the same files.
TEST_F(Report, NamesExactlyTheChangesDiffFinds)
{
    int compared = 0;
    for (unsigned seed = 100; seed < 125; ++seed) {
        kestrel::test::RandomSpecification random(seed);
        ProcedureInputs first = random.make(), second = first;
        random.change(second, 1 + static_cast<int>(seed % 5));
        const std::string a = spec("a.kestrel.json", writeSpecFile(first));
        const std::string b = spec("b.kestrel.json", writeSpecFile(second));
        const test::CliRun r = report({a, b, "--json", (dir / "r.json").string()});
        const nlohmann::json file = nlohmann::json::parse(read("r.json"))["file"];
        const test::CliRun specDiff = test::cli({"diff", "--json", a, b});
        EXPECT_EQ(file["specChanges"], nlohmann::json::parse(specDiff.out)) << "seed " << seed;
        std::vector<std::string> procedureArgs = {"diff", "--procedure", "--json"};
        const std::vector<std::string> more = options();
        procedureArgs.insert(procedureArgs.end(), more.begin(), more.end());
        procedureArgs.insert(procedureArgs.end(), {a, b});
        const test::CliRun procedureDiff = test::cli(procedureArgs);
        if (procedureDiff.status != 0 && procedureDiff.status != 1)
            continue; // a generator failed: diff --procedure compares nothing
        ++compared;
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(file["procedureChanges"], nlohmann::json::parse(procedureDiff.out)) << "seed " << seed;
    }
    EXPECT_GT(compared, 10);
}

TEST_F(Report, IdentifiesBothFilesAndShowsTheCoverageBeforeAndAfter)
{
    const std::string a = spec("a.kestrel.json", kBefore), b = spec("b.kestrel.json", kAfter);
    const test::CliRun r = report({a, b, "--json", (dir / "r.json").string(), "--html", (dir / "r.html").string()});
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json all = nlohmann::json::parse(read("r.json"));
    const nlohmann::json& file = all["file"];
    EXPECT_EQ(file["before"]["name"], "a.kestrel.json");
    EXPECT_EQ(file["before"]["path"], a);
    // sha256sum of the bytes written.
    EXPECT_EQ(file["after"]["sha256"].get<std::string>().size(), 64u);
    EXPECT_NE(file["before"]["sha256"], file["after"]["sha256"]);
    EXPECT_EQ(all["settings"]["date"], "2026-12-05");
    EXPECT_EQ(all["settings"]["lcid"], "1033");
    // 1200 V is above the 7320's 1100 V: one point reduced after.
    EXPECT_EQ(file["coverageBefore"]["asSpecified"], 2);
    EXPECT_EQ(file["coverageAfter"]["asSpecified"], 1);
    EXPECT_EQ(file["coverageAfter"]["reduced"], 1);
    EXPECT_EQ(file["coverageAfter"]["standard"], "7320");

    const std::string html = read("r.html");
    EXPECT_TRUE(html.starts_with("<!DOCTYPE html>")) << html;
    EXPECT_NE(html.find(file["after"]["sha256"].get<std::string>()), std::string::npos);
    EXPECT_NE(html.find("meter.functions.dcv[1].range: &quot;10&quot; -&gt; &quot;1200&quot;"), std::string::npos)
        << html;
    for (const char* label : {"Prepared", "Reviewed", "Approved", "Signature", "Calibrator coverage by 7320"})
        EXPECT_NE(html.find(label), std::string::npos) << label;
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_NE(html.find("@page"), std::string::npos);
    // The procedure's changes keep their lines.
    EXPECT_NE(html.find("\n  RANGE: &quot;10&quot; -&gt; &quot;1200&quot;\n"), std::string::npos) << html;
    EXPECT_EQ(html.find("\\u000a"), std::string::npos) << html;
}

TEST_F(Report, ShowsTheCoverageOfTheStandardChosen)
{
    const std::string a = spec("a.json", kBefore), b = spec("b.json", kAfter);
    const test::CliRun r = report({a, b, "--standard", "3300", "--json", (dir / "r.json").string()});
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json all = nlohmann::json::parse(read("r.json"));
    EXPECT_EQ(all["settings"]["standard"], "3300");
    EXPECT_EQ(all["file"]["coverageAfter"]["standard"], "3300");
}

TEST_F(Report, EscapesHostileValuesInTheHtml)
{
#ifdef _WIN32
    // Windows refuses "<" and ">" in a file name; the values still carry them.
    const std::string hostileName = "b&img src=x onerror=alert(1)'.json";
#else
    const std::string hostileName = "b<img src=x onerror=alert(1)>.json";
#endif
    const std::string b = spec(hostileName,
        R"({"format": "kestrel-spec", "version": 1, "procedure": {"name": ")" +
            std::string(R"(<script>alert(\"x\")</script> & 'q')") +
            R"("}, "meter": {"reference": "7320", "functions": {"dcv": [{"range": "1"}]}}})");
    const std::string a = spec("a.json", kBefore);
    const test::CliRun r = report({a, b, "--html", (dir / "r.html").string()});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string html = read("r.html");
    EXPECT_EQ(html.find("<script"), std::string::npos) << html;
    EXPECT_EQ(html.find("<img"), std::string::npos) << html;
    EXPECT_EQ(html.find("'q'"), std::string::npos) << html;
#ifdef _WIN32
    EXPECT_NE(html.find("b&amp;img src=x onerror=alert(1)&#39;.json"), std::string::npos) << html;
#else
    EXPECT_NE(html.find("b&lt;img src=x onerror=alert(1)&gt;.json"), std::string::npos) << html;
#endif
    EXPECT_NE(html.find("&lt;script&gt;"), std::string::npos) << html;
}

TEST_F(Report, LibrarySummaryCountsEachKindOfFile)
{
    for (const char* side : {"old", "new"})
        std::filesystem::create_directories(dir / side);
    spec("old/same.json", kBefore);
    spec("new/same.json", kBefore);
    spec("old/changed.json", kBefore);
    spec("new/changed.json", kAfter); // its coverage changes too
    spec("old/renamed.json", kBefore);
    spec("new/renamed.json", std::string(kBefore) + "\n"); // other bytes, the same inputs
    spec("old/gone.json", kBefore);
    spec("new/added.json", kAfter);
    spec("new/notes.txt", "not a specification file");
    const test::CliRun r = report({"--library", (dir / "old").string(), (dir / "new").string(), "--json",
        (dir / "r.json").string(), "--html", (dir / "r.html").string()});
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json all = nlohmann::json::parse(read("r.json"));
    EXPECT_EQ(all["summary"], nlohmann::json::parse(R"({"changed": 2, "unchanged": 1, "added": 1, "removed": 1,
        "coverageChanges": 1})"));
    ASSERT_EQ(all["files"].size(), 5u);
    EXPECT_EQ(all["files"][0]["file"], "added.json");
    EXPECT_EQ(all["files"][0]["before"], nullptr);
    const std::string html = read("r.html");
    EXPECT_NE(html.find("File: changed.json"), std::string::npos);
    EXPECT_EQ(html.find("File: same.json"), std::string::npos) << "an unchanged file has no section";
}

TEST_F(Report, RefusesWhatItCannotDo)
{
    const std::string a = spec("a.json", kBefore);
    std::filesystem::create_directories(dir / "sub");
    for (const auto& [args, status, said] : std::vector<std::tuple<std::vector<std::string>, int, std::string>>{
             {{a, a}, 2, "--html FILE or --json FILE"},
             {{a, "--html", "x"}, 2, "two specification files"},
             {{"--library", a, "--json", "x"}, 2, "old and the new folder"},
             {{a, a, "--html", "x", "--date", "5.12.2026"}, 2, "YYYY-MM-DD"},
             {{a, a, "--html", "x", "--standard", "9999"}, 2, "a meter standard, not \"9999\""},
             {{a, (dir / "missing.json").string(), "--json", (dir / "m.json").string()}, 1, "missing.json"},
             {{a, a, "--json", (dir / "a.json/r.json").string()}, 5, "was not written"},
             // An output that is an input under another name is never written.
             {{a, a, "--json", (dir / "sub/../a.json").string()}, 2, "the report would replace it"},
             {{"--library", (dir / "sub/..").string(), (dir / "sub").string(), "--html", a}, 2,
                 "the report would replace it"},
         }) {
        const test::CliRun r = report(args);
        EXPECT_EQ(r.status, status) << said << "\n" << r.err;
        EXPECT_NE(r.err.find(said), std::string::npos) << r.err;
    }
    EXPECT_EQ(read("a.json"), kBefore);
}

} // namespace
} // namespace kestrel::cli
