// kestrel-cli diff: the changes between two specification files, or
// between their procedures step by step or as a unified diff, and its exit
// statuses.
#include "cli_run.h"
#include "core/app/spec_file.h"
#include "support/apply_patch.h"
#include "support/random_specification.h"
#include "support/test_scratch_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrel::cli {
namespace {

class Diff : public ::testing::Test {
protected:
    std::string spec(const std::string& name, const std::string& json) { return dir.write(name, json).string(); }
    test::CliRun diff(std::vector<std::string> args)
    {
        args.insert(args.begin(), "diff");
        return test::cli(args);
    }
    // Start-up of --procedure without a Tessel installation, under US English.
    std::vector<std::string> procedureOptions() const
    {
        return {"--procedure", "--date", "2026-12-05", "--lcid", "1033", "--config-dir", (dir / "empty").string()};
    }

    kestrel::test::ScratchDir dir;
};

constexpr const char* kBefore = R"({"format": "kestrel-spec", "version": 1, "procedure": {"name": "DMM"},
    "options": {"autoranging": true},
    "meter": {"reference": "7320", "functions": {"dcv": [{"range": "1"}, {"range": "2"}, {"range": "10", "reading_pct": "0.01"}]}}})";
// The same with one range, one option and the name changed, the keys in
// another order and laid out otherwise.
constexpr const char* kAfter = R"({"meter": {"functions": {"dcv": [{"range": "1"}, {"range": "2"},
    {"reading_pct": "0.01", "range": "100"}]}, "reference": "7320"}, "options": {"autoranging": false},
    "procedure": {"name": "DMM \"2\""}, "version": 1, "format": "kestrel-spec"})";

TEST_F(Diff, ChangesByKeyPath)
{
    const std::string a = spec("a.kestrel.json", kBefore), b = spec("b.kestrel.json", kAfter);
    const test::CliRun r = diff({a, b});
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(r.out,
        "procedure.name: \"DMM\" -> \"DMM \\\"2\\\"\"\n"
        "options.autoranging: true -> false\n"
        "meter.functions.dcv[2].range: \"10\" -> \"100\"\n");
    EXPECT_EQ(r.err, "");

    const test::CliRun json = diff({"--json", a, b});
    EXPECT_EQ(json.status, 1);
    EXPECT_EQ(json.out,
        "[\n"
        "  {\"kind\": \"value\", \"path\": \"procedure.name\", \"before\": \"DMM\", \"after\": \"DMM \\\"2\\\"\"},\n"
        "  {\"kind\": \"value\", \"path\": \"options.autoranging\", \"before\": true, \"after\": false},\n"
        "  {\"kind\": \"value\", \"path\": \"meter.functions.dcv[2].range\", \"before\": \"10\", \"after\": \"100\"}\n"
        "]\n");

    // A layout of its own is no change.
    const std::string reformatted = spec("c.kestrel.json", writeSpecFile(*readSpecFile(kBefore, ".").inputs));
    for (const std::vector<std::string>& args :
        {std::vector<std::string>{a, reformatted}, {"--json", a, reformatted}}) {
        const test::CliRun same = diff(args);
        EXPECT_EQ(same.status, 0) << same.err;
        EXPECT_EQ(same.out, args[0] == "--json" ? "[]\n" : "");
    }
}

// A file that cannot be read, or is no specification file, exits with 2,
// as wrong arguments do, so that a script tells "differs" (1) from
// "broken"; standard error says which. The statuses as documented.
TEST_F(Diff, UnreadableFilesAndWrongArguments)
{
    const std::string a = spec("a.kestrel.json", kBefore);
    const std::string bad = spec("bad.kestrel.json", R"({"meter": {"functions": {"dcv": [{"range": "1m5"}]}}})");
    const std::string missing = (dir / "missing.kestrel.json").string();
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string says;
    } const cases[] = {
        {{a, missing}, 2, "kestrel-cli diff: \"" + missing + "\" does not exist\n"},
        {{bad, a}, 2, "kestrel-cli diff: " + bad + ": meter.functions.dcv[0].range: "},
        {{"--json", a, bad}, 2, "kestrel-cli diff: " + bad + ": meter.functions.dcv[0].range: "},
        {{"--procedure", a, bad}, 2, "meter.functions.dcv[0].range: "},
        {{"--procedure", "--json", missing, a}, 2, "does not exist"},
        {{a}, 2, "name two specification files"},
        {{a, a, a}, 2, "name two specification files"},
        {{"--json", "--unified", "--procedure", a, a}, 2, "choose one"},
        {{"--date", "2026-12-05", a, a}, 2, "go with --procedure only"},
        {{"--unified", a, a}, 2, "go with --procedure only"},
        {{"--procedure", "--date", "2026-13-05", a, a}, 2, "--date needs a date"},
        {{"--color", a, a}, 2, "unknown option \"--color\""},
    };
    for (const Case& c : cases) {
        const test::CliRun r = diff(c.args);
        EXPECT_EQ(r.status, c.status) << c.says;
        EXPECT_EQ(r.out, "") << c.says;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    }
}

TEST_F(Diff, ProceduresAsAUnifiedDiff)
{
    std::filesystem::create_directories(dir / "empty");
    const std::string a = spec("a.kestrel.json", kBefore), b = spec("b.kestrel.json", kAfter);
    std::vector<std::string> args = procedureOptions();
    args.insert(args.end(), {"--unified", a, b});
    const test::CliRun r = diff(args);
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(r.out.rfind("--- " + a + "\n+++ " + b + "\n@@ -", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("\n-INSTRUMENT:            DMM\r\n+INSTRUMENT:            DMM \"2\"\r\n"), std::string::npos)
        << r.out;

    // Nothing to create: that file's message, and generate's status.
    const std::string empty = spec("empty.kestrel.json", R"({"meter": {"reference": "7300"}})");
    args = procedureOptions();
    args.insert(args.end(), {a, empty});
    const test::CliRun nothing = diff(args);
    EXPECT_EQ(nothing.status, 3);
    EXPECT_NE(nothing.err.find("kestrel-cli diff: " + empty + ": Could not create the procedure."), std::string::npos)
        << nothing.err;
    EXPECT_EQ(nothing.out, "");
}

std::size_t linesStartingWith(const std::string& text, const std::string& start)
{
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); at = text.find('\n', at) + 1) {
        count += text.compare(at, start.size(), start) == 0;
        if (text.find('\n', at) == std::string::npos)
            break;
    }
    return count;
}

// A column put in before the others: in the specifications one change that
// names it; in their procedures one inserted step, and the steps after it
// renumbered, not every later line changed.
TEST_F(Diff, AnInsertedTestIsOneChangeStepByStep)
{
    std::filesystem::create_directories(dir / "empty");
    const std::string a = spec("a.kestrel.json", kBefore);
    const std::string b =
        spec("b.kestrel.json", R"({"format": "kestrel-spec", "version": 1, "procedure": {"name": "DMM"},
    "options": {"autoranging": true},
    "meter": {"reference": "7320", "functions": {"dcv": [{"range": "1"}, {"range": "5", "level": "4.5"}, {"range": "2"},
        {"range": "10", "reading_pct": "0.01"}]}}})");
    const test::CliRun specs = diff({a, b});
    EXPECT_EQ(specs.status, 1) << specs.err;
    EXPECT_EQ(specs.out, "meter.functions.dcv[1]: column inserted {\"range\": \"5\", \"level\": \"4.5\"}\n");

    std::vector<std::string> args = procedureOptions();
    args.insert(args.end(), {a, b});
    const test::CliRun r = diff(args);
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(r.out.rfind("--- " + a + "\n+++ " + b + "\n", 0), 0u) << r.out;
    EXPECT_EQ(linesStartingWith(r.out, "inserted step"), 1u) << r.out;
    EXPECT_EQ(linesStartingWith(r.out, "removed "), 0u) << r.out;
    EXPECT_GE(linesStartingWith(r.out, "steps "), 1u) << r.out;
    EXPECT_NE(r.out.find(" renumbered +1\n"), std::string::npos) << r.out;
    // The lines the change holds, without their CR.
    EXPECT_NE(r.out.find("\n+   2.001  7320   5     4.5V "), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find('\r'), std::string::npos);

    args = procedureOptions();
    args.insert(args.end(), {"--json", a, b});
    const test::CliRun json = diff(args);
    EXPECT_EQ(json.status, 1) << json.err;
    EXPECT_EQ(json.out.rfind("{\"same\": false,\n \"renumbered\": [\n  {\"before\": {\"first\": ", 0), 0u) << json.out;
    EXPECT_NE(json.out.find("\"tests\": 1, \"steps\": 0}"), std::string::npos) << json.out;
    EXPECT_NE(json.out.find("{\"kind\": \"inserted\", \"before\": null, \"after\": {\"line\": "), std::string::npos)
        << json.out;

    // The same procedure: nothing, and status 0.
    args = procedureOptions();
    args.insert(args.end(), {a, a});
    const test::CliRun same = diff(args);
    EXPECT_EQ(same.status, 0) << same.err;
    EXPECT_EQ(same.out, "");
    args.insert(args.end() - 2, "--json");
    EXPECT_EQ(diff(args).out, "{\"same\": true,\n \"renumbered\": [],\n \"changes\": []}\n");
}

// Random pairs of specifications: the diff of their procedures, applied to
// the first procedure as generate writes it, gives the second.
TEST_F(Diff, ProcedureDiffsOfRandomPairsApplyBack)
{
    std::filesystem::create_directories(dir / "empty");
    int compared = 0;
    for (unsigned seed = 0; seed < 30; ++seed) {
        kestrel::test::RandomSpecification random(seed);
        ProcedureInputs first = random.make(), second = first;
        random.change(second, 1 + static_cast<int>(seed % 6));
        const std::string a = spec("a.kestrel.json", writeSpecFile(first));
        const std::string b = spec("b.kestrel.json", writeSpecFile(second));
        const auto generate = [&](const std::string& file) {
            return test::cli(
                {"generate", file, "--date", "2026-12-05", "--lcid", "1033", "--config-dir", (dir / "empty").string()});
        };
        const test::CliRun procedureA = generate(a), procedureB = generate(b);
        std::vector<std::string> args = procedureOptions();
        args.insert(args.end(), {"--unified", a, b});
        const test::CliRun r = diff(args);
        if (procedureA.status != 0 || procedureB.status != 0) {
            EXPECT_NE(r.status, 0) << "seed " << seed;
            continue;
        }
        ++compared;
        EXPECT_EQ(r.status, procedureA.out == procedureB.out ? 0 : 1) << "seed " << seed;
        EXPECT_EQ(kestrel::test::applyPatch(procedureA.out, r.out), procedureB.out) << "seed " << seed;
    }
    EXPECT_GT(compared, 10);
}

// Clashing instruction records are named with their key paths, in both
// forms of the comparison, and change nothing else.
TEST_F(Diff, ClashingInstructionRecordsAreNamed)
{
    const std::string json = R"({"meter": {"reference": "7300", "functions": {"dcv": [{"range": "1"}]}},
        "connections": [{"function": "tc", "column": 2, "text": "a"}, {"function": "TC", "column": 2, "text": "b"},
        {"function": "tc", "column": 2, "picture": "c.bmp"}]})";
    const std::string a = spec("a.kestrel.json", json), b = spec("b.kestrel.json", json);
    const std::string warning = ": warning: connections[0], connections[1] and connections[2] are instructions for "
                                "the same function and column (tc column 2); none of them is used.\n";
    std::vector<std::string> procedure = procedureOptions();
    procedure.insert(procedure.end(), {a, b});
    for (const std::vector<std::string>& args : {std::vector<std::string>{a, b}, procedure}) {
        const test::CliRun r = diff(args);
        EXPECT_EQ(r.status, 0) << r.err;
        // After start-up's message about the missing installation, for --procedure.
        EXPECT_TRUE(r.err.ends_with("kestrel-cli diff: " + a + warning + "kestrel-cli diff: " + b + warning)) << r.err;
        EXPECT_EQ(r.out, "");
    }
}

} // namespace
} // namespace kestrel::cli
