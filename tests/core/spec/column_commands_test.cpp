// The grid's column commands: what moves where, what is asked first, and
// when a command does nothing.
#include "core/spec/column_commands.h"

#include "core/i18n/text_numbers.h"
#include "support/recording_sink.h"
#include "support/translated_texts.h"

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

TEST(ColumnCommands, InsertShiftsRightAndCopyTakesEveryRow)
{
    SpecTable t = numbered(9);
    ASSERT_TRUE(insertColumn(t, 1));
    for (int r = 0; r < t.rows(); ++r) {
        EXPECT_EQ(t.cell(r, 0), "0");
        EXPECT_EQ(t.cell(r, 1), "");
        for (int c = 2; c < kColumnCount; ++c)
            EXPECT_EQ(t.cell(r, c), std::to_string(c - 1)); // column 25 is lost
    }
    ASSERT_TRUE(copyColumn(t, 3));
    for (int r = 0; r < t.rows(); ++r)
        EXPECT_EQ(t.cell(r, 4), "2");
    EXPECT_EQ(t.cell(0, 5), "4");
}

TEST(ColumnCommands, NothingHappensWithoutARangeInColumnZeroOrFromColumn25)
{
    SpecTable noRange;
    noRange.setCell(RowRange, 1, "20");
    SpecTable t = noRange;
    EXPECT_FALSE(insertColumn(t, 1));
    EXPECT_FALSE(copyColumn(t, 1));
    EXPECT_FALSE(duplicateRange(t, 1));
    EXPECT_EQ(t, noRange);
    const SpecTable full = numbered();
    t = full;
    EXPECT_FALSE(copyColumn(t, 25));
    EXPECT_FALSE(duplicateRange(t, 25));
    EXPECT_EQ(t, full);
}

TEST(ColumnCommands, DeleteAsksOnlyWhenTheColumnHasARange)
{
    SpecTable t = numbered();
    t.setCell(RowRange, 0, "200m");
    RecordingSink sink;
    ASSERT_TRUE(deleteColumn(t, MeterFunction::Ohm, 0, sink, englishLookup()));
    EXPECT_EQ(sink.questions, std::vector<std::string>{"Really delete the 200m ohms range?"});
    EXPECT_EQ(sink.titles, std::vector<std::string>{"Warning"});
    EXPECT_EQ(t.cell(RowRange, 0), "1");

    RecordingSink cancel(false);
    EXPECT_FALSE(deleteColumn(t, MeterFunction::Dcv, 3, cancel, englishLookup()));
    EXPECT_EQ(t.cell(RowRange, 3), "4");

    t.setCell(RowRange, 3, " ");
    ASSERT_TRUE(deleteColumn(t, MeterFunction::Dcv, 3, cancel, englishLookup()));
    EXPECT_EQ(cancel.questions.size(), 1u);
    EXPECT_EQ(t.cell(RowLevel, 3), "5");
    EXPECT_EQ(t.cell(RowLevel, 23), "25");
    EXPECT_EQ(t.cell(RowLevel, 24), "");
}

// The questions are asked in the local texts: the translator places the
// range and the unit word, and the title comes along.
TEST(ColumnCommands, QuestionsInTheLocalTexts)
{
    const test::TranslatedTexts german({{kTextReallyDeleteRange, "Bereich <1> <2> wirklich l\xC3\xB6schen?"},
        {kTextUnitWordOhms, "Ohm"}, {kTextWarning, "Warnung"},
        {kTextReallyClearSpecification, "Spezifikation wirklich leeren?"}, {kTextProgramName, "Turmfalke"}});
    SpecTable t = numbered();
    t.setCell(RowRange, 0, "200m");
    RecordingSink sink(false);
    EXPECT_FALSE(deleteColumn(t, MeterFunction::Ohm, 0, sink, german));
    MeterInputs in;
    SpecView view;
    EXPECT_FALSE(clearSpecification(in, view, ClearScope::All, sink, german));
    EXPECT_EQ(sink.questions,
        (std::vector<std::string>{"Bereich 200m Ohm wirklich l\xC3\xB6schen?", "Spezifikation wirklich leeren?"}));
    EXPECT_EQ(sink.titles, (std::vector<std::string>{"Warnung", "Turmfalke"}));
}

TEST(ColumnCommands, DuplicateGoesOneDecadeUpForRangeLevelAndFixedTerm)
{
    // An empty source cell (row 5) leaves the target's cell alone.
    const char* source[9] = {"200m", "-2.000", "0.05", "0.01", "3", "", "10\xC2\xB5", "2", "50K"};
    const char* expected[9] = {"2.00", "-20.00", "0.05", "0.01", "3", "stale", "100\xC2\xB5", "2", "50K"};
    SpecTable t(9);
    for (int r = 0; r < 9; ++r)
        t.setCell(r, 0, source[r]);
    t.setCell(RowRangePpm, 1, "stale");
    ASSERT_TRUE(duplicateRange(t, 0));
    for (int r = 0; r < 9; ++r)
        EXPECT_EQ(t.cell(r, 1), expected[r]) << r;
}

TEST(ColumnCommands, ClearCurrentModeOrAll)
{
    MeterInputs in;
    in.identity.name = "Meter";
    in.identity.comments = "Notes";
    in.meter.table(MeterFunction::Dcv).setCell(RowRange, 0, "2");
    in.meter.table(MeterFunction::Acv).setCell(RowRange, 0, "20");
    in.connections.append({MeterFunction::Dcv, 0, std::nullopt, std::string("Set dc")});
    in.connections.append({MeterFunction::Acv, 0, std::nullopt, std::string("Set ac")});
    MeterInputs expected = in;
    const SpecView acvSample{MeterFunction::Acv, 2};
    SpecView view = acvSample;
    RecordingSink cancel(false);
    EXPECT_FALSE(clearSpecification(in, view, ClearScope::All, cancel, englishLookup()));
    EXPECT_EQ(in, expected);
    EXPECT_EQ(view, acvSample);

    // The function on show loses its table and records; the view stays.
    RecordingSink sink;
    ASSERT_TRUE(clearSpecification(in, view, ClearScope::CurrentMode, sink, englishLookup()));
    EXPECT_EQ(sink.questions, std::vector<std::string>{"Really Clear specification?"});
    EXPECT_EQ(sink.titles, std::vector<std::string>{"Kestrel"});
    expected.meter.table(MeterFunction::Acv).clear();
    expected.connections.clearFunction(MeterFunction::Acv);
    EXPECT_EQ(in, expected);
    EXPECT_EQ(view, acvSample);

    // All starts again from the first function with no sample loaded.
    ASSERT_TRUE(clearSpecification(in, view, ClearScope::All, sink, englishLookup()));
    expected = MeterInputs{};
    expected.identity.name = "";
    EXPECT_EQ(in, expected);
    EXPECT_EQ(view, SpecView{});
}

} // namespace
} // namespace kestrel
