// kestrel-cli generate --out-dir: many files' procedures in one run, each
// the bytes one file's run writes, and every file's failure its own.
#include "cli/batch_generation.h"
#include "cli_run.h"
#include "support/test_scratch_dir.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace kestrel::cli {
namespace {

using kestrel::test::readFile;

class Batch : public ::testing::Test {
protected:
    Batch()
    {
        // The demo installation shipped with the sources: no amplifiers.
        const std::string tessel = std::string(KESTREL_SOURCE_DIR) + "/data/demo-tessel";
        dir.write("installed/tessel.ini",
            "[startup]\naccdir=" + tessel + "/acc\npicdir=" + tessel + "/pics\nhelpdir=" + tessel +
                "/help\nconfig=" + tessel + "/config/instruments.cfg\n");
    }

    test::CliRun generate(std::vector<std::string> args)
    {
        args.insert(args.begin(), "generate");
        args.insert(
            args.end(), {"--config-dir", (dir / "installed").string(), "--lcid", "1033", "--date", "2026-12-05"});
        return test::cli(args);
    }
    std::string spec(const std::string& name, const std::string& json) { return dir.write(name, json).string(); }
    std::string out(const std::string& name) const { return (dir / "out" / name).string(); }

    // Every name in the output folder but the run's record.
    std::set<std::string> outputs() const
    {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir / "out"))
            if (entry.path().filename() != "kestrel-run.json")
                names.insert(entry.path().filename().string());
        return names;
    }

    kestrel::test::ScratchDir dir;
};

std::vector<std::filesystem::path> sampleFiles()
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(KESTREL_SOURCE_DIR) + "/data/samples"))
        files.push_back(entry.path());
    return files;
}

// Three copies of every sample, on more threads than files of one kind: each
// output is what generate writes for that file alone, in both forms and for
// another standard than the file's own.
TEST_F(Batch, WritesWhatOneFilesRunWrites)
{
    std::vector<std::string> files;
    for (const auto& sample : sampleFiles())
        for (const std::string copy : {"a", "b", "c"})
            files.push_back(dir.write("in/" + copy + "-" + sample.filename().string(), readFile(sample)).string());
    ASSERT_GE(files.size(), 21u);
    for (const std::vector<std::string>& options :
        {std::vector<std::string>{}, {"--rtf"}, {"--reference", "7600"}, {"--reference", "6400"}}) {
        std::filesystem::remove_all(dir / "out");
        std::vector<std::string> args{"--out-dir", (dir / "out").string()};
        args.insert(args.end(), options.begin(), options.end());
        args.insert(args.end(), files.begin(), files.end());
        const test::CliRun batch = generate(args);
        const std::string what = options.empty() ? "plain" : options.back();
        // The scope sample cannot take a meter standard: its own status, the others written.
        std::set<std::string> names;
        for (const std::string& file : files) {
            std::vector<std::string> one{file};
            one.insert(one.end(), options.begin(), options.end());
            const test::CliRun single = generate(one);
            std::string name = std::filesystem::path(file).filename().string();
            name = name.substr(0, name.size() - std::string(".kestrel.json").size()) +
                (options.empty() || options[0] != "--rtf" ? ".txt" : ".rtf");
            if (single.out.empty()) {
                EXPECT_FALSE(std::filesystem::exists(out(name))) << what << " " << name;
                EXPECT_NE(
                    batch.err.find(single.err.substr(std::string("kestrel-cli generate: ").size())), std::string::npos)
                    << what << " " << name << ": " << single.err;
                EXPECT_EQ(batch.status, single.status) << what;
                continue;
            }
            EXPECT_EQ(readFile(out(name)), single.out) << what << " " << name;
            names.insert(name);
        }
        EXPECT_EQ(outputs(), names) << what << ": nothing else, no temporary file, is left";
        EXPECT_NE(batch.err.find(" written, "), std::string::npos) << batch.err;
    }
}

// A file that fails is named with its reason and the others are written;
// the command exits with the worst status.
TEST_F(Batch, AFailedFileIsReportedAndTheRestWritten)
{
    const std::string good = spec("good.kestrel.json",
        R"({"meter": {"reference": "7320", "functions": {"dcv": [{"range": "2", "reading_pct": "0.01"}]}}})");
    const std::string empty = spec("empty.kestrel.json", R"({"meter": {"reference": "7300"}})");
    const std::string bad = spec("bad.kestrel.json", R"({"meter": {"functions": {"dcv": [{"range": "x"}]}}})");
    const std::string missing = (dir / "missing.kestrel.json").string();
    const std::string failing = spec("failing.kestrel.json",
        R"({"page": "scope", "scope": {"risetime_test": true, "risetime": "", "bandwidth": "0"}})");
    const std::string longRange = spec("long.json",
        R"({"meter": {"reference": "7320", "functions": {"dcv": [{"range": "1.23456789012345", "reading_pct": "0.01"}]}}})");
    // A folder where an output goes: its rename fails, the rest still lands.
    std::filesystem::create_directories(dir / "out" / "blocked.txt");
    const std::string blocked = spec("blocked.kestrel.json", readFile(good));
    struct Case {
        std::vector<std::string> files;
        std::vector<std::string> options;
        int status;
        std::vector<std::string> says;
        const char* summary;
    } const cases[] = {
        {{good, failing}, {}, 4, {failing + ": Error: Single_Channel_Scope Error 11\n"}, "1 written, 1 failed"},
        {{longRange, good}, {"--strict"}, 6, {longRange + ": warning: meter.functions.dcv[0].range: RANGE"},
            "1 written, 1 failed"},
        {{failing, empty, good}, {}, 3, {empty + ": Could not create the procedure.\n"}, "1 written, 2 failed"},
        {{empty, bad, good, missing}, {}, 1,
            {bad + ": meter.functions.dcv[0].range: ", "kestrel-cli generate: \"" + missing + "\" does not exist"},
            "1 written, 3 failed"},
        {{bad, good}, {"--reference", "8600 - 4 Channel"}, 2,
            {good + ": a meter specification cannot be created for --reference \"8600 - 4 Channel\""},
            "0 written, 2 failed"},
        {{good, blocked, bad}, {}, 5, {blocked + ": cannot replace "}, "1 written, 2 failed"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(out("good.txt"));
        std::vector<std::string> args{"--out-dir", (dir / "out").string()};
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.insert(args.end(), c.files.begin(), c.files.end());
        const test::CliRun r = generate(args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_EQ(r.out, "");
        for (const std::string& says : c.says)
            EXPECT_NE(r.err.find(says), std::string::npos) << says << "\n" << r.err;
        EXPECT_NE(r.err.find("kestrel-cli generate: " + std::string(c.summary) + ", "), std::string::npos) << r.err;
        EXPECT_EQ(std::filesystem::exists(out("good.txt")), c.options.empty() || c.options[0] != "--reference")
            << r.err;
    }
    for (const std::string& name : outputs())
        EXPECT_NE(name[0], '.') << name << ": a temporary file is left";
}

// Files are reported in the order named, each one's lines together, after
// start-up's own message.
TEST_F(Batch, ReportsInTheOrderOfTheFiles)
{
    std::vector<std::string> args{"--out-dir", (dir / "out").string()};
    std::string expected;
    for (int i = 0; i < 40; ++i) {
        const std::string name = "f" + std::to_string(i) + ".kestrel.json";
        args.push_back(spec(name, R"({"meter": {"reference": "7300"}})"));
        expected += "kestrel-cli generate: " + args.back() +
            ": Could not create the procedure.\nBe sure that specifications have been entered.\n";
    }
    const test::CliRun r = generate(args);
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.err.substr(0, expected.size()), expected);
}

// Refused before anything is made or written.
TEST_F(Batch, RefusedArguments)
{
    const std::string a = spec("x/meter.kestrel.json", "{}");
    const std::string b = spec("y/METER.json", "{}");
    const std::string c = spec("x/meter.json", "{}");
    const std::string own = spec("out2/own.txt", "{}");
    struct Case {
        std::vector<std::string> args;
        const char* says;
    } const cases[] = {
        {{"--out-dir", out(""), a, b}, "would both be written to METER.txt"},
        {{"--out-dir", out(""), a, c}, "would both be written to meter.txt"},
        {{"--out-dir", out(""), a, a}, "would both be written"},
        {{"--out-dir", (dir / "out2").string(), own}, "own.txt\" would be replaced by its own procedure"},
        {{"--out-dir", out("")}, "which specifications?"},
        {{"--out-dir", out(""), "--sample", "agilent34401"}, "--out-dir writes the procedures of files"},
        {{"--out-dir", ""}, "--out-dir needs a folder"},
        {{a, c}, "or several with --out-dir DIR"},
        {{a, "--reference", "7330"}, "--reference needs a standard of the meter or the scope page (\"3300\", "},
        {{a, "--reference", "8600 - 4 channel"}, "\"8600 - 4 Channel\"), not \"8600 - 4 channel\""},
    };
    for (const Case& c : cases) {
        const test::CliRun r = generate(c.args);
        EXPECT_EQ(r.status, 2) << c.says;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(dir / "out")) << c.says;
    }
    EXPECT_EQ(readFile(own), "{}");
}

// A folder that cannot be made: nothing is read or written.
TEST_F(Batch, AnOutputFolderThatCannotBeMade)
{
    const std::string file = spec("file", "not a folder");
    const test::CliRun r = generate({"--out-dir", file, spec("a.kestrel.json", "{}")});
    EXPECT_EQ(r.status, 5);
    EXPECT_NE(r.err.find("kestrel-cli generate: cannot create the folder \"" + file + "\": "), std::string::npos)
        << r.err;
    EXPECT_EQ(readFile(file), "not a folder");
}

// Outputs named with the most bytes a name may have (255; a file with no
// ending gets ".txt"), in ASCII and in two-byte characters, are written:
// the temporary file beside each has a short name of its own.
TEST_F(Batch, WritesOutputsOfTheLongestNames)
{
    std::string wide = "w";
    while (wide.size() < 251)
        wide += "\xC3\xA9"; // "é"
    const std::string sample = readFile(std::string(KESTREL_SOURCE_DIR) + "/data/samples/agilent34401.kestrel.json");
    if (kestrel::test::beyondPathLimit(dir / "out" / (std::string(251, 'n') + ".txt")))
        GTEST_SKIP() << "the path is longer than this system's programs may reach";
    std::vector<std::string> args{"--out-dir", (dir / "out").string()};
    for (const std::string& name : {std::string(251, 'n'), wide})
        args.push_back(spec("in/" + name, sample));
    const test::CliRun batch = generate(args);
    EXPECT_EQ(batch.status, 0) << batch.err;
    EXPECT_EQ(outputs(), (std::set<std::string>{std::string(251, 'n') + ".txt", wide + ".txt"}));
    for (const std::string& name : outputs())
        EXPECT_EQ(name.size(), 255u);
}

TEST(BatchNames, OutputNameOfAFile)
{
    const std::pair<const char*, const char*> cases[] = {{"dir/meter.kestrel.json", "meter.txt"},
        {"METER.KESTREL.JSON", "METER.txt"}, {"meter.json", "meter.txt"}, {"a.b.c", "a.b.txt"}, {"noext", "noext.txt"},
        {".kestrel.json", ".kestrel.txt"}, {".hidden", ".hidden.txt"}, {"x.kestrel.json.bak", "x.kestrel.json.txt"}};
    for (const auto& [file, name] : cases)
        EXPECT_EQ(batchOutputName(file, false), name) << file;
    EXPECT_EQ(batchOutputName("meter.kestrel.json", true), "meter.rtf");
}

} // namespace
} // namespace kestrel::cli
