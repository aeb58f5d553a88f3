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
    a.meter.table(MeterFunction::Acv).setCell(0, 2, "1.5"); // the same held value under another locale
    b.meter.table(MeterFunction::Acv).setCell(0, 2, "1.5");
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
    // The record only b has stands where the one only a has stood: one
    // record changed, not one added and one removed under one path.
    const std::vector<SpecChange> expected{
        {"connections[0].text", std::string("Set\nAC"), std::string("Set\nAC volts")},
        {"connections[2].function", std::string("ohm"), std::string("tc")},
        {"connections[2].picture", {}, std::string("")},
        {"connections[2].text", std::string("x"), {}},
    };
    EXPECT_EQ(diffSpecifications(a, b), expected);

    // Only in a, where b has no record: named by its place in a.
    b.connections = {};
    b.connections.append({Acv, 3, std::nullopt, std::string("Set\r\nAC")});
    const std::vector<SpecChange> removed{
        {"connections[0].function", std::string("dcv"), {}},
        {"connections[0].column", 0LL, {}},
        {"connections[0].picture", std::string("a.bmp"), {}},
        {"connections[2].function", std::string("ohm"), {}},
        {"connections[2].column", 1LL, {}},
        {"connections[2].text", std::string("x"), {}},
    };
    EXPECT_EQ(diffSpecifications(a, b), removed);
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
        // Escape sequences and direction changes cannot reach the terminal;
        // line breaks are written as the files write them.
        {std::string("a\nb\x1b[2J\xE2\x80\xAE"
                     "c\xC2\xB5"),
            "\"a\\nb\\u001b[2J\\u202ec\xC2\xB5\""},
        {std::string("one\r\ttwo"), "\"one\\r\\ttwo\""},
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

namespace kestrel {
namespace {

// A record whose picture and text went to another column, of its function
// or another, is one change; the records that stayed are none.
TEST(SpecDiff, ARecordMovedToAnotherColumnIsOneChange)
{
    using enum MeterFunction;
    ProcedureInputs a, b;
    a.connections.append({Dcv, 0, std::string("a.bmp"), std::nullopt});
    a.connections.append({Dcv, 2, std::nullopt, std::string("first\r\nof two")});
    a.connections.append({Dcv, 2, std::nullopt, std::string("second")});
    a.connections.append({Acv, 1, std::nullopt, std::string("ac")});
    b.connections.append({Dcv, 0, std::string("a.bmp"), std::nullopt});
    b.connections.append({Dcv, 2, std::nullopt, std::string("second")});
    b.connections.append({Dcv, 3, std::nullopt, std::string("first\r\nof two")});
    b.connections.append({Dci, 1, std::nullopt, std::string("ac")});
    const std::vector<SpecChange> changes = diffSpecifications(a, b);
    const std::vector<SpecChange> expected{
        {"connections[2]", std::string("dcv[2]"), std::string("dcv[3]"), SpecChangeKind::Moved},
        {"connections[3]", std::string("acv[1]"), std::string("dci[1]"), SpecChangeKind::Moved},
    };
    EXPECT_EQ(changes, expected);
    EXPECT_EQ(specChangeLine(changes[0]), "connections[2]: moved \"dcv[2]\" -> \"dcv[3]\"");
    EXPECT_EQ(specChangeJson(changes[0]),
        "{\"kind\": \"moved\", \"path\": \"connections[2]\", \"before\": \"dcv[2]\", \"after\": \"dcv[3]\"}");

    // A record that changed its text where another's went is no move: the
    // changes as Create sees them are fewer.
    ProcedureInputs c = a;
    c.connections = {};
    c.connections.append({Dcv, 0, std::string("a.bmp"), std::nullopt});
    c.connections.append({Dcv, 2, std::nullopt, std::string("first\r\nof two")});
    c.connections.append({Dcv, 2, std::nullopt, std::string("ac")});
    const std::vector<SpecChange> edited = diffSpecifications(a, c);
    ASSERT_EQ(edited.size(), 4u);
    EXPECT_EQ(edited[0], (SpecChange{"connections[2].text", std::string("second"), std::string("ac")}));
    for (const SpecChange& change : edited)
        EXPECT_EQ(change.kind, SpecChangeKind::Value) << change.path;
}

// The inputs with column `at` of f put in, the later columns one on.
void insertColumn(ProcedureInputs& in, MeterFunction f, int at, const std::vector<std::string>& cells)
{
    SpecTable& table = in.meter.table(f);
    for (int c = kColumnCount - 1; c > at; --c)
        for (int row = 0; row < table.rows(); ++row)
            table.setCell(row, c, table.cell(row, c - 1));
    for (int row = 0; row < table.rows(); ++row)
        table.setCell(
            row, at, static_cast<std::size_t>(row) < cells.size() ? cells[static_cast<std::size_t>(row)] : "");
}

void removeColumn(ProcedureInputs& in, MeterFunction f, int at)
{
    SpecTable& table = in.meter.table(f);
    for (int c = at; c < kColumnCount; ++c)
        for (int row = 0; row < table.rows(); ++row)
            table.setCell(row, c, c + 1 < kColumnCount ? table.cell(row, c + 1) : "");
}

int usedColumns(const ProcedureInputs& in, MeterFunction f)
{
    int used = 0;
    for (int c = 0; c < kColumnCount; ++c)
        for (int row = 0; row < functionInfo(f).rows; ++row)
            if (!in.meter.table(f).cell(row, c).empty())
                used = c + 1;
    return used;
}

// Random specifications with a column put in before others or taken out:
// one change that names the column and holds its cells, not a change of
// every cell that moved.
TEST(SpecDiff, AColumnInsertedOrRemovedIsOneChange)
{
    int inserted = 0, removed = 0;
    for (unsigned seed = 0; seed < 120; ++seed) {
        test::RandomSpecification random(seed);
        const ProcedureInputs a = random.make();
        const MeterFunction f = kAllFunctions[seed % kAllFunctions.size()];
        const int used = usedColumns(a, f);
        if (used < 2)
            continue;
        const int at = static_cast<int>(seed / kAllFunctions.size()) % used;
        const std::string path =
            "meter.functions." + std::string(functionInfo(f).code) + "[" + std::to_string(at) + "]";

        ProcedureInputs b = a;
        const std::string range = "77" + std::to_string(seed);
        insertColumn(b, f, at, {range});
        const std::vector<SpecChange> in = diffSpecifications(a, b);
        ASSERT_EQ(in.size(), 1u) << "seed " << seed << ": " << specChangeLine(in[0]);
        EXPECT_EQ(in[0].kind, SpecChangeKind::ColumnInserted);
        EXPECT_EQ(in[0].path, path);
        EXPECT_EQ(in[0].cells, (ColumnCells{{"range", range}}));
        EXPECT_EQ(specChangeLine(in[0]), path + ": column inserted {\"range\": \"" + range + "\"}");
        ++inserted;

        // Taken out: the column of a that equals the one taken out may be
        // named instead, when two neighbours are the same. (The last column
        // taken out moves none: its cells are the change.)
        if (at == used - 1)
            continue;
        ProcedureInputs c = a;
        removeColumn(c, f, at);
        const std::vector<SpecChange> out = diffSpecifications(a, c);
        ASSERT_EQ(out.size(), 1u) << "seed " << seed << ": " << specChangeLine(out[0]);
        EXPECT_EQ(out[0].kind, SpecChangeKind::ColumnRemoved);
        const std::optional<MeterCell> named = meterCellOfPath(out[0].path + ".range");
        ASSERT_TRUE(named) << out[0].path;
        for (int row = 0; row < functionInfo(f).rows; ++row)
            EXPECT_EQ(a.meter.table(f).cell(row, named->column), a.meter.table(f).cell(row, at)) << "seed " << seed;
        EXPECT_EQ(specChangeJson(out[0]).rfind(
                      "{\"kind\": \"column removed\", \"path\": \"" + out[0].path + "\", \"before\": {", 0),
            0u)
            << specChangeJson(out[0]);
        ++removed;
    }
    EXPECT_GT(inserted, 20);
    EXPECT_GT(removed, 10);
}

// "Ü" typed as one character and as U and a combining diaeresis: the same
// text, other bytes, named as such; another letter is a change of value.
TEST(SpecDiff, AChangeOfUnicodeFormOnlyIsNamed)
{
    ProcedureInputs a, b;
    a.identity.author = "M\xC3\xBCller";  // NFC
    b.identity.author = "Mu\xCC\x88ller"; // NFD
    a.meter.table(MeterFunction::Dcv).setCell(0, 0, "10");
    b.meter.table(MeterFunction::Dcv).setCell(0, 0, "10");
    a.identity.name = "\xC3\x9C";
    b.identity.name = "U";
    const std::vector<SpecChange> changes = diffSpecifications(a, b);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].path, "procedure.name");
    EXPECT_EQ(changes[0].kind, SpecChangeKind::Value);
    EXPECT_EQ(changes[1].kind, SpecChangeKind::UnicodeForm);
    EXPECT_EQ(specChangeLine(changes[1]),
        "procedure.author: \"M\xC3\xBCller\" -> \"Mu\xCC\x88ller\" (Unicode form only: NFC -> NFD)");
    EXPECT_NE(specChangeJson(changes[1]).find(", \"forms\": [\"NFC\", \"NFD\"]}"), std::string::npos)
        << specChangeJson(changes[1]);
}

} // namespace
} // namespace kestrel
