#include "cli/command.h"
#include "cli/generate_command.h"
#include "support/golden.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace kestrel::cli {
namespace {

namespace fs = std::filesystem;

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun cli(std::vector<std::string> args)
{
    std::ostringstream out, err;
    const int status = run(args, out, err);
    return {status, out.str(), err.str()};
}

class GenerateCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() /
              ("kestrel-generate-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir / "installed");
        fs::create_directories(dir / "empty");
        // The demo installation shipped with the sources: no amplifiers.
        const std::string tessel = std::string(KESTREL_SOURCE_DIR) + "/data/demo-tessel";
        std::ofstream(dir / "installed" / "tessel.ini")
            << "[startup]\naccdir=" << tessel << "/acc\npicdir=" << tessel << "/pics\nhelpdir=" << tessel
            << "/help\nconfig=" << tessel << "/config/instruments.cfg\n";
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string writeSpec(const std::string& json)
    {
        const fs::path path = dir / "spec.json";
        std::ofstream(path, std::ios::binary) << json;
        return path.string();
    }

    std::vector<std::string> withConfig(std::vector<std::string> args, const char* config = "installed")
    {
        args.insert(args.begin(), "generate");
        for (const std::string& extra : {std::string("--config-dir"), (dir / config).string(), std::string("--lcid"),
                                         std::string("1033")})
            args.push_back(extra);
        return args;
    }

    fs::path dir;
};

TEST_F(GenerateCommandTest, Agilent34401SampleAsTheClipboardReceivesIt)
{
    const CliRun r = cli(withConfig({"--sample", "agilent34401", "--date", "2026-12-05"}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    test::expectMatchesGolden("meter_agilent34401.txt", r.out);
}

TEST_F(GenerateCommandTest, RichTextForTheViewer)
{
    const CliRun r = cli(withConfig({"--sample", "agilent34401", "--date", "2026-12-05", "--rtf"}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("{\\rtf{\\colortbl;\\red0\\green0\\blue0;\\red255\\green0\\blue0;\\red0\\green0\\blue255; "
                          "\\red222\\green18\\blue205;}INSTRUMENT:            Agilent 34401 digital multimeter\\par\n",
                          0),
              0u);
    EXPECT_NE(r.out.find("  1.007  HEAD   \\{DC Volts Test\\}\\par\n"), std::string::npos);
    EXPECT_EQ(r.out.substr(r.out.size() - 7), "\\par\n }");
    EXPECT_EQ(r.out.find('\r'), std::string::npos);
}

TEST_F(GenerateCommandTest, MissingInstallationIsReportedAndTheProcedureStillWritten)
{
    const CliRun r = cli(withConfig({"--sample", "agilent34401", "--date", "2026-12-05"}, "empty"));
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("Error: Get Tessel directory"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("NUMBER OF TESTS:       24\r\n"), std::string::npos);
}

TEST_F(GenerateCommandTest, SpecificationFileUnderACommaLocale)
{
    const std::string path = writeSpec(R"({"format": "kestrel-spec", "version": 1,
        "meter": {"reference": "7300", "functions": {"dcv": [{"range": "2.5", "reading_pct": "0.05"}]}}})");
    std::vector<std::string> args = withConfig({path, "--date", "2026-03-01"});
    args.back() = "1031"; // German: "," is the decimal separator the cells are typed with
    const CliRun r = cli(args);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("DATE:                  01-M"), std::string::npos);
    EXPECT_NE(r.out.find("  1.009  7300   2.5   2.5V           0.05% "), std::string::npos) << r.out;
}

TEST_F(GenerateCommandTest, UnreadableOrInvalidFileExitsWithOne)
{
    const CliRun missing = cli(withConfig({(dir / "nothing.json").string()}));
    EXPECT_EQ(missing.status, kExitUnreadableFile);
    EXPECT_NE(missing.err.find("nothing.json"), std::string::npos);
    EXPECT_EQ(missing.out, "");

    const std::string path = writeSpec(R"({"meter": {"functions": {"dcv": [{"range": "2"}, {"range": "x"}]}}})");
    const CliRun invalid = cli(withConfig({path}));
    EXPECT_EQ(invalid.status, kExitUnreadableFile);
    EXPECT_NE(invalid.err.find("meter.functions.dcv[1].range"), std::string::npos) << invalid.err;
    EXPECT_EQ(invalid.out, "");
}

TEST_F(GenerateCommandTest, WrongArgumentsExitWithTwo)
{
    EXPECT_EQ(cli({"generate"}).status, kExitUsage);
    EXPECT_EQ(cli({"generate", "--sample"}).status, kExitUsage);
    EXPECT_EQ(cli({"generate", "--sample", "nosuch"}).status, kExitUsage);
    EXPECT_EQ(cli({"generate", "a.json", "--sample", "agilent34401"}).status, kExitUsage);
    EXPECT_EQ(cli({"generate", "a.json", "b.json"}).status, kExitUsage);
    EXPECT_EQ(cli({"generate", "a.json", "--date", "2026-02-30"}).status, kExitUsage);
    EXPECT_EQ(cli({"generate", "a.json", "--lcid", "x"}).status, kExitUsage);
    const CliRun unknown = cli({"generate", "a.json", "--fast"});
    EXPECT_EQ(unknown.status, kExitUsage);
    EXPECT_NE(unknown.err.find("--fast"), std::string::npos);
}

TEST_F(GenerateCommandTest, NothingSpecifiedExitsWithThree)
{
    const CliRun r = cli(withConfig({writeSpec(R"({"meter": {"reference": "7300"}})")}));
    EXPECT_EQ(r.status, kExitNothingCreated);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("Could not create the procedure.\nBe sure that specifications have been entered.\n"),
              std::string::npos)
        << r.err;
}

TEST_F(GenerateCommandTest, FailedGeneratorExitsWithFourAndKeepsItsText)
{
    // A risetime test without a typed limit divides by the bandwidth.
    const std::string path =
        writeSpec(R"({"page": "scope", "scope": {"risetime_test": true, "risetime": "", "bandwidth": "0"}})");
    const CliRun r = cli(withConfig({path}));
    EXPECT_EQ(r.status, kExitGeneratorFailed);
    EXPECT_NE(r.err.find("11"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("  1.00"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("INSTRUMENT:"), std::string::npos);
}

TEST_F(GenerateCommandTest, HelpNamesOptionsAndExitStatuses)
{
    const CliRun r = cli({"generate", "--help"});
    EXPECT_EQ(r.status, 0);
    for (const char* word : {"--sample", "--date", "--lcid", "--config-dir", "--rtf", "KESTREL_CONFIG_DIR", "  4  "})
        EXPECT_NE(r.out.find(word), std::string::npos) << word;
}

} // namespace
} // namespace kestrel::cli
