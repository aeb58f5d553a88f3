// Comparing specifications: over many random pairs, the changes reported
// are exactly the values changed; formatting and the run's values are no
// change; values are written as the file writes them.
#include "core/app/spec_diff.h"

#include "core/app/spec_file.h"
#include "support/random_specification.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kestrel {
namespace {

using Changes = std::map<std::string, std::pair<SpecValue, SpecValue>>;

// The inputs as a file gives them back.
ProcedureInputs throughFile(const ProcedureInputs& inputs)
{
    SpecFileResult read = readSpecFile(writeSpecFile(inputs), ".");
    EXPECT_TRUE(read.inputs) << read.error;
    return read.inputs ? *read.inputs : ProcedureInputs{};
}

std::string describe(const Changes& changes)
{
    std::string text;
    for (const auto& [path, values] : changes)
        text += path + ": " + specValueLiteral(values.first) + " -> " + specValueLiteral(values.second) + "\n";
    return text;
}

TEST(SpecDiff, RandomPairsReportExactlyTheValuesChanged)
{
    std::size_t changed = 0, records = 0;
    for (unsigned seed = 0; seed < 150; ++seed) {
        test::RandomSpecification random(seed);
        const ProcedureInputs a = random.make();
        ASSERT_EQ(throughFile(a), a) << "seed " << seed << ": the generator makes what a file keeps";
        ProcedureInputs b = a;
        const Changes expected = random.change(b, 1 + static_cast<int>(seed % 8));
        Changes reported;
        for (const SpecChange& change : diffSpecifications(throughFile(a), throughFile(b)))
            EXPECT_TRUE(reported.emplace(change.path, std::pair(change.before, change.after)).second)
                << "seed " << seed << ": " << change.path << " twice";
        EXPECT_EQ(describe(reported), describe(expected)) << "seed " << seed;
        changed += expected.size();
        records += static_cast<std::size_t>(std::count_if(expected.begin(), expected.end(),
            [](const auto& change) { return change.first.starts_with("connections"); }));
        EXPECT_EQ(diffSpecifications(b, b).size(), 0u) << "seed " << seed;
    }
    // Enough changes, of records too, to mean something.
    EXPECT_GT(changed, 400u);
    EXPECT_GT(records, 60u);
}

// The changes come in the order of the file's keys; the run's own values
// are not the file's.
TEST(SpecDiff, InTheOrderOfTheFilesKeys)
{
    ProcedureInputs a, b;
    a.decimalSeparator = ",";
    a.meter.table(MeterFunction::Acv).setCell(0, 2, "1,5");
    b.meter.table(MeterFunction::Acv).setCell(0, 2, "1.5"); // the same value, typed under another locale
    b.meter.table(MeterFunction::Dcv).setCell(7, 3, "10");
    b.meter.table(MeterFunction::Dcv).setCell(0, 3, "100");
    b.options.measurements = 4;
    b.scope.numChannels = 2;
    b.page = Page::Scope;
    b.has7625 = true;
    b.headerDate = "05-Dec-26";
    const std::vector<SpecChange> expected{
        {"page", std::string("meter"), std::string("scope")},
        {"options.measurements", 1LL, 4LL},
        {"meter.functions.dcv[3].range", {}, std::string("100")},
        {"meter.functions.dcv[3].digits", {}, std::string("10")},
        {"scope.channels", 4LL, 1LL},
    };
    EXPECT_EQ(diffSpecifications(a, b), expected);
}

// Records are found as Create finds them: by function and column; their
// place in the list is no part of them.
TEST(SpecDiff, RecordsAreMatchedByFunctionAndColumn)
{
    ProcedureInputs a, b;
    using enum MeterFunction;
    a.connections.append({Dcv, 0, std::string("a.bmp"), std::nullopt});
    a.connections.append({Acv, 3, std::nullopt, std::string("Set\r\nAC")});
    a.connections.append({Ohm, 1, std::nullopt, std::string("x")});
    b.connections.append({Acv, 3, std::nullopt, std::string("Set\r\nAC volts")});
    b.connections.append({Dcv, 0, std::string("a.bmp"), std::nullopt});
    b.connections.append({Tc, 1, std::string(""), std::nullopt});
    const std::vector<SpecChange> expected{
        {"connections[0].text", std::string("Set\nAC"), std::string("Set\nAC volts")},
        {"connections[2].function", {}, std::string("tc")},
        {"connections[2].column", {}, 1LL},
        {"connections[2].picture", {}, std::string("")},
        // Only in a: named by its place there.
        {"connections[2].function", std::string("ohm"), {}},
        {"connections[2].column", 1LL, {}},
        {"connections[2].text", std::string("x"), {}},
    };
    EXPECT_EQ(diffSpecifications(a, b), expected);
}

TEST(SpecDiff, ValuesAsJsonWritesThem)
{
    const std::pair<SpecValue, const char*> cases[] = {
        {SpecValue(), "null"},
        {true, "true"},
        {false, "false"},
        {12LL, "12"},
        {std::string("10"), "\"10\""},
        {std::string("a \"b\" \\c"), "\"a \\\"b\\\" \\\\c\""},
        // Line breaks, escape sequences and direction changes cannot reach the terminal.
        {std::string("a\nb\x1b[2J\xE2\x80\xAE"
                     "c\xC2\xB5"),
            "\"a\\u000ab\\u001b[2J\\u202ec\xC2\xB5\""},
    };
    for (const auto& [value, literal] : cases)
        EXPECT_EQ(specValueLiteral(value), literal);
}

// A change names a grid cell only by a path the comparison writes.
TEST(SpecDiff, KeyPathsNameMeterCells)
{
    const struct {
        const char* path;
        std::optional<MeterCell> cell;
    } cases[] = {
        {"meter.functions.dcv[2].range", MeterCell{MeterFunction::Dcv, 2, 0}},
        {"meter.functions.acv[25].frequency", MeterCell{MeterFunction::Acv, 25, 8}},
        {"meter.functions.ohm[0].digits", MeterCell{MeterFunction::Ohm, 0, 7}},
        {"meter.functions.dcv[0].frequency", std::nullopt}, // dcv has no frequency row
        {"meter.functions.dcv[26].range", std::nullopt},    // past the last column
        {"meter.functions.dcv[02].range", std::nullopt},
        {"meter.functions.dcv[-1].range", std::nullopt},
        {"meter.functions.dcv[].range", std::nullopt},
        {"meter.functions.dcv[100].range", std::nullopt},
        {"meter.functions.DCV[1].range", std::nullopt},
        {"meter.functions.xyz[1].range", std::nullopt},
        {"meter.functions.dcv[1].ranges", std::nullopt},
        {"meter.functions.dcv[1]", std::nullopt},
        {"meter.functions.dcv", std::nullopt},
        {"meter.reference", std::nullopt},
        {"connections[0].text", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(meterCellOfPath(c.path), c.cell) << c.path;
}

// Every cell of every function comes back from its own path, and a changed
// cell is named by it.
TEST(SpecDiff, EveryCellPathReadsBackAsItsCell)
{
    for (const MeterFunction f : kAllFunctions)
        for (int column = 0; column < kColumnCount; ++column)
            for (int row = 0; row < functionInfo(f).rows; ++row) {
                const MeterCell cell{f, column, row};
                EXPECT_EQ(meterCellOfPath(meterCellPath(cell)), cell) << meterCellPath(cell);
            }
    ProcedureInputs a, b;
    b.meter.table(MeterFunction::Tc).setCell(3, 7, "2");
    const std::vector<SpecChange> changes = diffSpecifications(a, b);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(meterCellOfPath(changes[0].path), (MeterCell{MeterFunction::Tc, 7, 3}));
}

} // namespace
} // namespace kestrel
