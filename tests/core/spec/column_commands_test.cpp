#include "core/spec/column_commands.h"

#include "support/recording_sink.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

using test::RecordingSink;

// Column c holds "<c>" in every row, so moves are easy to follow.
SpecTable numbered(int rows = 8)
{
    SpecTable t(rows);
    for (int c = 0; c < kColumnCount; ++c)
        for (int r = 0; r < rows; ++r)
            t.setCell(r, c, std::to_string(c));
    return t;
}

TEST(InsertColumn, ShiftsRightAndLosesColumn25)
{
    SpecTable t = numbered();
    ASSERT_TRUE(insertColumn(t, 0));
    for (int r = 0; r < t.rows(); ++r) {
        EXPECT_EQ(t.cell(r, 0), "");
        for (int c = 1; c < kColumnCount; ++c)
            EXPECT_EQ(t.cell(r, c), std::to_string(c - 1));
    }
}

TEST(ColumnCommands, NeedARangeInColumnZero)
{
    SpecTable t;
    t.setCell(RowRange, 1, "20");
    const SpecTable before = t;
    EXPECT_FALSE(insertColumn(t, 1));
    EXPECT_FALSE(copyColumn(t, 1));
    EXPECT_FALSE(duplicateRange(t, 1, "."));
    EXPECT_EQ(t, before);
}

TEST(ColumnCommands, NothingToTheRightOfColumn25)
{
    SpecTable t = numbered();
    const SpecTable before = t;
    EXPECT_FALSE(copyColumn(t, 25));
    EXPECT_FALSE(duplicateRange(t, 25, "."));
    EXPECT_EQ(t, before);
}

TEST(DeleteColumn, AsksWithRangeAndUnitWord)
{
    SpecTable t;
    t.setCell(RowRange, 0, "200m");
    t.setCell(RowRange, 1, "2");
    RecordingSink sink;
    ASSERT_TRUE(deleteColumn(t, MeterFunction::Ohm, 0, sink));
    ASSERT_EQ(sink.questions.size(), 1u);
    EXPECT_EQ(sink.questions[0], "Really delete the 200m ohms range?");
    EXPECT_EQ(sink.titles[0], "Warning");
    EXPECT_EQ(t.cell(RowRange, 0), "2");
    EXPECT_EQ(t.cell(RowRange, 25), "");
}

TEST(DeleteColumn, CancelKeepsTheColumn)
{
    SpecTable t;
    t.setCell(RowRange, 3, "20");
    RecordingSink sink(false);
    EXPECT_FALSE(deleteColumn(t, MeterFunction::Dcv, 3, sink));
    EXPECT_EQ(t.cell(RowRange, 3), "20");
}

TEST(DeleteColumn, EmptyRangeAsksNothing)
{
    SpecTable t = numbered();
    t.setCell(RowRange, 4, " ");
    RecordingSink sink(false);
    ASSERT_TRUE(deleteColumn(t, MeterFunction::Dcv, 4, sink));
    EXPECT_TRUE(sink.questions.empty());
    EXPECT_EQ(t.cell(RowLevel, 4), "5");
    EXPECT_EQ(t.cell(RowLevel, 24), "25");
    EXPECT_EQ(t.cell(RowLevel, 25), "");
}

TEST(CopyColumn, EveryRowIncludingFrequency)
{
    SpecTable t = numbered(9);
    ASSERT_TRUE(copyColumn(t, 2));
    for (int r = 0; r < 9; ++r)
        EXPECT_EQ(t.cell(r, 3), "2");
    EXPECT_EQ(t.cell(0, 4), "4");
}

TEST(DuplicateRange, OneDecadeUpForRangeLevelAndFixedTerm)
{
    SpecTable t(9);
    const char* source[9] = {"200m", "100m", "0.05", "0.01", "3", "1", "10\xC2\xB5", "2", "50K"};
    for (int r = 0; r < 9; ++r)
        t.setCell(r, 0, source[r]);
    ASSERT_TRUE(duplicateRange(t, 0, "."));
    const char* expected[9] = {"2.00", "1.00", "0.05", "0.01", "3", "1", "100\xC2\xB5", "2", "50K"};
    for (int r = 0; r < 9; ++r)
        EXPECT_EQ(t.cell(r, 1), expected[r]) << r;
}

TEST(DuplicateRange, NegativeAndKiloAndCommaLocale)
{
    SpecTable t;
    t.setCell(RowRange, 0, "-2,000");
    t.setCell(RowRange, 5, "300");
    t.setCell(RowLevel, 6, "stale");
    ASSERT_TRUE(duplicateRange(t, 0, ","));
    EXPECT_EQ(t.cell(RowRange, 1), "-20,00");
    ASSERT_TRUE(duplicateRange(t, 5, ","));
    EXPECT_EQ(t.cell(RowRange, 6), "3,00K");
    // Empty source cells leave the target's cells alone.
    EXPECT_EQ(t.cell(RowLevel, 6), "stale");
}

ProcedureInputs filledInputs()
{
    ProcedureInputs in;
    in.identity.name = "Meter";
    in.identity.comments = "Notes";
    in.meter.table(MeterFunction::Dcv).setCell(RowRange, 0, "2");
    in.meter.table(MeterFunction::Acv).setCell(RowRange, 0, "20");
    in.connections.append({"dcv", "0", std::nullopt, std::string("Set dc")});
    in.connections.append({"ACV", "0", std::nullopt, std::string("Set ac")});
    return in;
}

TEST(ClearSpecification, CurrentModeLeavesOtherFunctions)
{
    ProcedureInputs in = filledInputs();
    RecordingSink sink;
    ASSERT_TRUE(clearSpecification(in, MeterFunction::Acv, ClearScope::CurrentMode, sink));
    EXPECT_EQ(sink.questions, std::vector<std::string>{"Really Clear specification?"});
    EXPECT_EQ(sink.titles, std::vector<std::string>{"Kestrel"});
    EXPECT_EQ(in.meter.table(MeterFunction::Acv).cell(RowRange, 0), "");
    EXPECT_EQ(in.meter.table(MeterFunction::Dcv).cell(RowRange, 0), "2");
    ASSERT_EQ(in.connections.size(), 1u);
    EXPECT_EQ(in.connections.records()[0].mode, "dcv");
    EXPECT_EQ(in.identity.name, "Meter");
}

TEST(ClearSpecification, AllEmptiesTablesRecordsNameAndComments)
{
    ProcedureInputs in = filledInputs();
    RecordingSink sink;
    ASSERT_TRUE(clearSpecification(in, MeterFunction::Dcv, ClearScope::All, sink));
    EXPECT_EQ(in.meter, MeterSpec{});
    EXPECT_TRUE(in.connections.empty());
    EXPECT_EQ(in.identity.name, "");
    EXPECT_EQ(in.identity.comments, "");
    EXPECT_EQ(in.identity.author, "Enter your name");
}

TEST(ClearSpecification, CancelChangesNothing)
{
    ProcedureInputs in = filledInputs();
    const ProcedureInputs before = in;
    RecordingSink sink(false);
    EXPECT_FALSE(clearSpecification(in, MeterFunction::Dcv, ClearScope::All, sink));
    EXPECT_EQ(in, before);
}

} // namespace
} // namespace kestrel
