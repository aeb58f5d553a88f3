#include "cli/command.h"
#include "core/spec/samples.h"
#include "core/spec/spec_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace kestrel::cli {
namespace {

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

TEST(SamplesCommand, ListsTheNamesOnePerLine)
{
    const CliRun r = cli({"samples"});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_EQ(r.out, "orvik62-7300\norvik62-6400\norvik28\norvik4919\nagilent34401\norvik2290\ntest\n");
    const CliRun verbose = cli({"samples", "--verbose"});
    EXPECT_NE(verbose.out.find("agilent34401\tSpecification for Agilent 34401 Multimeter\n"), std::string::npos);
    EXPECT_EQ(cli({"samples", "extra"}).status, kExitUsage);
}

TEST(SampleCommand, WritesAgilent34401WithItsCells)
{
    const CliRun r = cli({"sample", "agilent34401"});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_TRUE(r.err.empty());
    const SpecFileResult file = readSpecFile(r.out, ".");
    ASSERT_TRUE(file.inputs) << file.error;
    ProcedureInputs expected;
    loadSample(*findSample("agilent34401"), expected, EnglishLookup{});
    EXPECT_EQ(file.inputs->meter, expected.meter);
    EXPECT_EQ(file.inputs->selections.reference, "7600");
    EXPECT_NE(r.out.find("\"range\": \"100.0000m\",\n          \"reading_pct\": \"0.005\",\n"
                         "          \"range_pct\": \"0.0035\""),
              std::string::npos);
    EXPECT_NE(r.out.find("\"range\": \"750.000\",\n          \"reading_pct\": \"0.6\",\n"
                         "          \"range_pct\": \"0.3\",\n          \"frequency\": \"10K\""),
              std::string::npos);
}

TEST(SampleCommand, ShippedFilesMatchTheBuiltInSamples)
{
    for (const auto& sample : samples()) {
        const std::string path =
            std::string(KESTREL_SOURCE_DIR) + "/data/samples/" + std::string(sample.name) + ".kestrel.json";
        std::ifstream in(path, std::ios::binary);
        ASSERT_TRUE(in) << path;
        std::ostringstream shipped;
        shipped << in.rdbuf();
        const CliRun r = cli({"sample", std::string(sample.name)});
        EXPECT_EQ(shipped.str(), r.out) << path << " is out of date: kestrel-cli sample " << sample.name;
    }
}

TEST(SampleCommand, RefusesMissingOrUnknownNames)
{
    const CliRun none = cli({"sample"});
    EXPECT_EQ(none.status, kExitUsage);
    EXPECT_TRUE(none.out.empty());
    EXPECT_NE(none.err.find("kestrel-cli sample: "), std::string::npos);

    const CliRun unknown = cli({"sample", "agilent"});
    EXPECT_EQ(unknown.status, kExitUsage);
    EXPECT_NE(unknown.err.find("no sample is called \"agilent\""), std::string::npos);
    EXPECT_TRUE(unknown.out.empty());

    EXPECT_EQ(cli({"sample", "test", "orvik28"}).status, kExitUsage);
    EXPECT_EQ(cli({"sample", "--long"}).status, kExitUsage);
}

TEST(SampleCommand, HelpOnBothCommands)
{
    const CliRun sample = cli({"sample", "--help"});
    EXPECT_EQ(sample.status, kExitOk);
    EXPECT_NE(sample.out.find("Usage: kestrel-cli sample NAME"), std::string::npos);
    EXPECT_NE(sample.out.find("orvik62-7300, orvik62-6400"), std::string::npos);
    const CliRun samples = cli({"samples", "--help"});
    EXPECT_EQ(samples.status, kExitOk);
    EXPECT_NE(samples.out.find("Usage: kestrel-cli samples"), std::string::npos);
    const CliRun all = cli({"--help"});
    EXPECT_NE(all.out.find("  sample "), std::string::npos);
    EXPECT_NE(all.out.find("  samples "), std::string::npos);
}

} // namespace
} // namespace kestrel::cli
