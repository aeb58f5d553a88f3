// kestrel-cli samples and sample: the built-in samples by name, and each
// one's file.
#include "cli_run.h"
#include "core/spec/samples.h"
#include "support/test_scratch_dir.h"

#include <gtest/gtest.h>

namespace kestrel::cli {
namespace {

using test::cli;

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

} // namespace
} // namespace kestrel::cli
