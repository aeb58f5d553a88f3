// kestrel-cli generate: its outputs and its exit statuses (usage errors are in commands_test).
#include "cli_run.h"
#include "support/golden.h"
#include "support/test_scratch_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrel::cli {
namespace {

class Generate : public ::testing::Test {
protected:
    Generate()
    {
        // The demo installation shipped with the sources: no amplifiers.
        const std::string tessel = std::string(KESTREL_SOURCE_DIR) + "/data/demo-tessel";
        dir.write("installed/tessel.ini",
            "[startup]\naccdir=" + tessel + "/acc\npicdir=" + tessel + "/pics\nhelpdir=" + tessel +
                "/help\nconfig=" + tessel + "/config/instruments.cfg\n");
        std::filesystem::create_directories(dir / "empty");
    }

    test::CliRun generate(std::vector<std::string> args, const char* config = "installed", const char* lcid = "1033")
    {
        args.insert(args.begin(), "generate");
        args.insert(args.end(), {"--config-dir", (dir / config).string(), "--lcid", lcid});
        return test::cli(args);
    }
    std::string spec(const std::string& json) { return dir.write("spec.json", json).string(); }

    kestrel::test::ScratchDir dir;
};

TEST_F(Generate, Agilent34401SampleAsTheClipboardAndTheViewerReceiveIt)
{
    const test::CliRun r = generate({"--sample", "agilent34401", "--date", "2026-12-05"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    kestrel::test::expectMatchesGolden("meter_agilent34401.txt", r.out);

    const test::CliRun rtf = generate({"--sample", "agilent34401", "--date", "2026-12-05", "--rtf"});
    EXPECT_EQ(rtf.out.rfind("{\\rtf{\\colortbl;", 0), 0u);
    EXPECT_NE(rtf.out.find("}INSTRUMENT:            Agilent 34401 digital multimeter\\par\n"), std::string::npos);
    EXPECT_TRUE(rtf.out.ends_with("\\par\n}")); // nothing after the last line end
    EXPECT_EQ(rtf.out.find('\r'), std::string::npos);
}

// The file keeps "." whatever the locale; under German cells are typed with
// ",". Without a Tessel installation the procedure is still written.
TEST_F(Generate, SpecificationFileUnderAGermanLocaleWithoutInstallation)
{
    const test::CliRun r = generate({spec(R"({"format": "kestrel-spec", "version": 1, "meter": {"reference": "7300",
        "functions": {"dcv": [{"range": "2.5", "reading_pct": "0.05"}]}}})"),
                                        "--date", "2026-03-01"},
        "empty", "1031");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("Error: Get Tessel directory"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("DATE:                  01-M"), std::string::npos);
    EXPECT_NE(r.out.find("  1.009  7300   2.5   2.5V           0.05% "), std::string::npos) << r.out;
}

// A file that cannot be read, or holds a bad cell, exits with 1; one that
// specifies nothing with 3; a generator that fails midway with 4 and keeps
// the text it wrote, without header.
TEST_F(Generate, FailuresExitWithTheirOwnStatus)
{
    struct Case {
        const char* json; // nullptr: no file at all
        int status;
        const char* err;
        const char* out;
    };
    for (const Case& c : {Case{nullptr, 1, "nothing.json", ""},
             Case{R"({"meter": {"functions": {"dcv": [{"range": "2"}, {"range": "x"}]}}})", 1,
                 "meter.functions.dcv[1].range", ""},
             Case{R"({"meter": {"reference": "7300"}})", 3,
                 "Could not create the procedure.\nBe sure that specifications have been entered.\n", ""},
             // A risetime test without a typed limit divides by the bandwidth.
             Case{R"({"page": "scope", "scope": {"risetime_test": true, "risetime": "", "bandwidth": "0"}})", 4,
                 "Error 11", "  1.001  ASK-"}}) {
        const test::CliRun r = generate({c.json ? spec(c.json) : (dir / "nothing.json").string()});
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        EXPECT_EQ(r.out.find("INSTRUMENT:"), std::string::npos);
        EXPECT_EQ(r.out.empty(), *c.out == '\0') << r.out;
        EXPECT_NE(r.out.find(c.out), std::string::npos) << r.out;
    }
}

// A RANGE too long for its column overwrites NOMINAL, whose text overwrites
// TOLERANCE: the procedure keeps the fixed columns, the user is warned of
// every such field, and --strict writes nothing.
TEST_F(Generate, FieldsLongerThanTheirColumnsAreWarnedOf)
{
    const std::string file =
        spec(R"({"meter": {"reference": "7320", "functions": {"dcv": [{"range": "2", "reading_pct": "0.01"},
        {"range": "1.23456789012345", "reading_pct": "0.01"}]}}})");
    const test::CliRun r = generate({file, "--date", "2026-12-05"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("  2.001  7320   1.23451.23456789012345V01%"), std::string::npos) << r.out;
    EXPECT_EQ(r.err,
        "kestrel-cli generate: warning: meter.functions.dcv[1].range: RANGE \"1.23456789012345\" is 16 "
        "characters long, its field holds 6\n"
        "kestrel-cli generate: warning: meter.functions.dcv[1].range: NOMINAL \"1.23456789012345V\" is 17 "
        "characters long, its field holds 15\n");

    const test::CliRun strict = generate({file, "--strict"});
    EXPECT_EQ(strict.status, 6);
    EXPECT_EQ(strict.out, "");
    EXPECT_EQ(strict.err, r.err);
    const test::CliRun fits = generate({"--sample", "agilent34401", "--strict"});
    EXPECT_EQ(fits.status, 0) << fits.err;
    EXPECT_EQ(fits.err, "");
}

// A header value longer than the header's lines is warned of as a field is
// (its start shown), and --strict refuses it; the procedure is as before.
TEST_F(Generate, HeaderValuesLongerThanTheirLinesAreWarnedOf)
{
    const std::string name(250, 'N'); // the longest a file holds
    const std::string file = spec(R"({"procedure": {"name": ")" + name + R"("}, "meter": {"reference": "7320",
        "functions": {"dcv": [{"range": "2", "reading_pct": "0.01"}]}}})");
    const test::CliRun r = generate({file, "--date", "2026-12-05"});
    ASSERT_EQ(r.status, 0) << r.err.substr(0, 200);
    EXPECT_NE(r.out.find("INSTRUMENT:            " + name + "\r\n"), std::string::npos);
    EXPECT_EQ(r.err,
        "kestrel-cli generate: warning: procedure.name: INSTRUMENT \"" + std::string(80, 'N') +
            "...\" is 250 characters long, its field holds 55\n");
    const test::CliRun strict = generate({file, "--strict"});
    EXPECT_EQ(strict.status, 6);
    EXPECT_EQ(strict.out, "");
}

// What the file holds is echoed with its control characters escaped.
TEST_F(Generate, MessagesShowTheFilesControlCharactersEscaped)
{
    const test::CliRun r = generate({spec("{\"page\": \"x\\n\\u001b]0;t\\u0007\\u001b[2J\"}")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.substr(r.err.find(": page: ")),
        ": page: \"x\\u000a\\u001b]0;t\\u0007\\u001b[2J\" is not one of \"meter\", \"scope\"\n");
}

// Not a regular file: refused before anything is read, where /dev/zero
// would otherwise be read until memory runs out. (Every kind of file the
// reader refuses: spec_file_test.)
TEST_F(Generate, OnlyRegularFilesAreRead)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no /dev/zero";
#else
    const test::CliRun r = generate({"/dev/zero"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "kestrel-cli generate: \"/dev/zero\" is not a regular file (a device, a pipe or a socket)\n");
#endif
}

} // namespace
} // namespace kestrel::cli

namespace kestrel::cli {
namespace {

// Two instruction records for one function and column count as none, as
// Create finds a column's record only when it is the only one; both are
// named, alone and in a batch, and the exit status stays 0.
TEST_F(Generate, ClashingInstructionRecordsAreNamedAndLeftOut)
{
    const std::string grid = R"("meter": {"reference": "7300", "functions": {"dcv": [{"range": "2.5"}]}})";
    const std::string clashing = dir.write("clash.kestrel.json", "{" + grid + R"(, "connections": [
        {"function": "dcv", "column": 0, "text": "red lead"}, {"function": "acv", "column": 0, "text": "ac"},
        {"function": "DCV", "column": 0, "text": "black lead"}]})")
                                     .string();
    const std::string plain =
        dir.write("plain.kestrel.json",
               "{" + grid + R"(, "connections": [{"function": "acv", "column": 0, "text": "ac"}]})")
            .string();
    const char* warning = "warning: connections[0] and connections[2] are instructions for the same function and "
                          "column (dcv column 0); none of them is used.\n";
    const test::CliRun r = generate({clashing, "--date", "2026-12-05"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "kestrel-cli generate: " + std::string(warning));
    EXPECT_EQ(r.out, generate({plain, "--date", "2026-12-05"}).out) << "neither record is used";

    const test::CliRun batch = generate({"--out-dir", (dir / "out").string(), clashing, "--date", "2026-12-05"});
    EXPECT_EQ(batch.status, 0) << batch.err;
    EXPECT_EQ(batch.err.rfind("kestrel-cli generate: " + clashing + ": " + warning, 0), 0u) << batch.err;
    EXPECT_NE(batch.err.find("1 written, 0 failed"), std::string::npos) << batch.err;
}

} // namespace
} // namespace kestrel::cli
