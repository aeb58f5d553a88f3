// docs/specification-files.md describes the file format for users: its
// example must read, and every key the writer writes must be documented.
#include "core/app/spec_file.h"

#include "core/spec/samples.h"
#include "support/test_scratch_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>

namespace kestrel {
namespace {

std::string document()
{
    return test::readFile(std::filesystem::path(KESTREL_SOURCE_DIR) / "docs" / "specification-files.md");
}

TEST(SpecFileDocument, ExampleReadsWithTheDefaultsForWhatItLeavesOut)
{
    const std::string doc = document();
    const std::size_t start = doc.find("```json\n");
    ASSERT_NE(start, std::string::npos);
    const std::size_t end = doc.find("```", start + 8);
    ASSERT_NE(end, std::string::npos);
    const SpecFileResult r = readSpecFile(doc.substr(start + 8, end - start - 8), ",");
    ASSERT_TRUE(r.inputs) << r.error;
    const ProcedureInputs& in = *r.inputs;
    EXPECT_EQ(in.identity.comments, "Yearly calibration\r\nafter repair");
    EXPECT_EQ(in.identity.revision, "1.0");
    EXPECT_EQ(in.options.toleranceStyle, ToleranceStyle::Units);
    EXPECT_EQ(in.selections.reference, "7600");
    EXPECT_EQ(in.meter.table(MeterFunction::Dcv).cell(RowRange, 0), "200.00m");
    EXPECT_EQ(in.meter.table(MeterFunction::Acv).cell(RowFrequency, 0), "1K");
    ASSERT_EQ(in.connections.size(), 1u);
    EXPECT_EQ(in.connections.records()[0].text, "Set the UUT to dc Volts\r\nand select the 200 mV range");
    EXPECT_EQ(in.scope, ScopeInputs{});
}

TEST(SpecFileDocument, EveryKeyWrittenIsDocumented)
{
    const std::string doc = document();
    const std::regex key("\"([a-z0-9_]+)\":");
    std::string undocumented;
    for (const auto& sample : samples()) {
        ProcedureInputs in;
        loadSample(sample, in, EnglishLookup{});
        in.connections.append({MeterFunction::Dcv, 0, std::string("p.bmp"), std::string("t")});
        const std::string text = writeSpecFile(in);
        for (auto it = std::sregex_iterator(text.begin(), text.end(), key); it != std::sregex_iterator(); ++it)
            if (doc.find("`" + (*it)[1].str() + "`") == std::string::npos)
                undocumented += " " + (*it)[1].str();
    }
    EXPECT_EQ(undocumented, "");
}

} // namespace
} // namespace kestrel
