// Cell blocks exchanged with spreadsheets: a copied block reads back as it
// was, and a pasted one is taken whole or refused whole, naming the first
// bad cell.
#include "core/spec/cell_block.h"
#include "core/spec/numbers.h"

#include "core/i18n/text_numbers.h"
#include "support/translated_texts.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

TEST(CellBlock, CopiesTheSelectedRectangleAsTabSeparatedLines)
{
    SpecTable t(9);
    t.setCell(RowRange, 1, "2.000");
    t.setCell(RowLevel, 2, "1.9");
    t.setCell(RowReadingPct, 1, "0.5");
    EXPECT_EQ(copyCellBlock(t, 0, 1, 2, 2), "2.000\t\n\t1.9\n0.5\t");

    // What the grid copies (shown with the locale's separator) pastes back
    // into the same held cells unchanged.
    const PasteCheck back = checkCellBlock(MeterFunction::Acv, 0, 1, shownCell(copyCellBlock(t, 0, 1, 2, 2), ","), ",");
    ASSERT_EQ(back.outcome, PasteCheck::Outcome::Accepted);
    ASSERT_EQ(back.cells.size(), 6u);
    for (const auto& cell : back.cells)
        EXPECT_EQ(cell.text, t.cell(cell.row, cell.column)) << cell.row << "," << cell.column;
}

TEST(CellBlock, PastedCellsAreTypedThroughTheRowsFilters)
{
    // A spreadsheet's block ends with a line break; the "." key and the
    // locale's separator both give the held ".", "u" becomes "µ", "0" is
    // stored empty.
    const PasteCheck check = checkCellBlock(MeterFunction::Dcv, 0, 3, "1.5m\t2,5\r\n\t0\r\n", ",");
    ASSERT_EQ(check.outcome, PasteCheck::Outcome::Accepted);
    ASSERT_EQ(check.cells.size(), 4u);
    EXPECT_EQ(check.cells[0].text, "1.5m");
    EXPECT_EQ(check.cells[1].text, "2.5");
    EXPECT_EQ(check.cells[1].column, 4);
    EXPECT_EQ(check.cells[2].row, 1);
    EXPECT_EQ(check.cells[2].text, "");
    EXPECT_EQ(check.cells[3].text, "");

    EXPECT_EQ(checkCellBlock(MeterFunction::Dcv, 6, 0, "2u", ".").cells.at(0).text, "2\xC2\xB5");
    EXPECT_EQ(checkCellBlock(MeterFunction::Dcv, 0, 0, "", ".").outcome, PasteCheck::Outcome::Empty);
}

TEST(CellBlock, TheFirstBadCellRefusesTheWholeBlock)
{
    const EnglishLookup texts;
    struct Case {
        MeterFunction function;
        int row, column;
        std::string block;
        PasteCheck::Outcome outcome;
        std::string message;
    };
    const Case cases[] = {
        // A letter the test level does not take, after good cells.
        {MeterFunction::Dcv, 0, 0, "2\t20\n0.1\tx", PasteCheck::Outcome::Refused,
            "\"x\" cannot be entered in Test Level, column 2. Nothing was pasted."},
        // A percentage row takes no prefix letter.
        {MeterFunction::Dcv, 2, 0, "0.1m", PasteCheck::Outcome::Refused,
            "\"0.1m\" cannot be entered in % of Reading, column 1. Nothing was pasted."},
        // A prefix letter not at the end fails the commit check.
        {MeterFunction::Dcv, 0, 2, "1m5", PasteCheck::Outcome::Refused,
            "\"1m5\" cannot be entered in UUT Range, column 3. Nothing was pasted."},
        // "-" only where the function allows it.
        {MeterFunction::Acv, 0, 0, "-10", PasteCheck::Outcome::Refused,
            "\"-10\" cannot be entered in UUT Range, column 1. Nothing was pasted."},
        // Past column 26.
        {MeterFunction::Dcv, 0, 25, "1\t2", PasteCheck::Outcome::OutsideTable,
            "The pasted cells do not fit the table: they reach UUT Range, column 27. Nothing was pasted."},
        // Below the last row of an 8-row table: the row has no label.
        {MeterFunction::Dcv, 7, 0, "1\n2", PasteCheck::Outcome::OutsideTable,
            "The pasted cells do not fit the table: they reach row 9, column 1. Nothing was pasted."},
        // Longer than any field: refused by its length, whatever it holds.
        {MeterFunction::Dcv, 0, 0, "2\t" + std::string(79, '1'), PasteCheck::Outcome::TooLong,
            "The pasted text for UUT Range, column 2 is 79 characters long; no field of a procedure holds more "
            "than 78. Nothing was pasted."},
        {MeterFunction::Dcv, 0, 0, std::string(78, '1'), PasteCheck::Outcome::Accepted, ""},
        // The frequency row of acv takes it.
        {MeterFunction::Acv, 7, 0, "1\n50K", PasteCheck::Outcome::Accepted, ""},
    };
    for (const auto& c : cases) {
        const PasteCheck check = checkCellBlock(c.function, c.row, c.column, c.block, ".");
        EXPECT_EQ(check.outcome, c.outcome) << c.block;
        if (!c.message.empty() || c.outcome == PasteCheck::Outcome::Accepted) {
            EXPECT_EQ(pasteRefusal(check, c.function, texts), c.message) << c.block;
        }
        if (c.outcome != PasteCheck::Outcome::Accepted) {
            EXPECT_TRUE(check.cells.empty()) << c.block;
        }
    }
}

// A pasted megabyte is refused by its length before the key filter types
// it: the check stays fast, and the message does not quote it.
TEST(CellBlock, AHugeCellIsRefusedWithoutQuotingIt)
{
    const std::string huge(10u << 20, '1');
    const PasteCheck check = checkCellBlock(MeterFunction::Dcv, 0, 0, huge, ".");
    EXPECT_EQ(check.outcome, PasteCheck::Outcome::TooLong);
    EXPECT_EQ(check.length, huge.size());
    EXPECT_LT(pasteRefusal(check, MeterFunction::Dcv, EnglishLookup()).size(), 200u);
}

// The refusals are the local texts with the cell and lengths put in where
// the translator placed them; a row without a label is named by its text too.
TEST(CellBlock, RefusalsInTheLocalTexts)
{
    const test::TranslatedTexts german({
        {kTextPasteOutsideTable, "Passt nicht: <1>."},
        {kTextPasteRefused, "<2> nimmt \"<1>\" nicht."},
        {kTextCellName, "Spalte <2> von <1>"},
        {kTextRowName, "Zeile <1>"},
        {kTextUutRange, "Bereich"},
        {kTextPastedTextTooLong,
            "<1> Zeichen, h\xC3\xB6"
            "chstens <2>."},
        {kTextPastedCellTooLong,
            "<2> Zeichen f\xC3\xBCr <1>, h\xC3\xB6"
            "chstens <3>."},
    });
    const auto refusal = [&](int row, int column, std::string_view block) {
        return pasteRefusal(checkCellBlock(MeterFunction::Dcv, row, column, block, "."), MeterFunction::Dcv, german);
    };
    EXPECT_EQ(refusal(0, 2, "1m5"), "Spalte 3 von Bereich nimmt \"1m5\" nicht.");
    EXPECT_EQ(refusal(7, 0, "1\n2"), "Passt nicht: Spalte 1 von Zeile 9.");
    EXPECT_EQ(refusal(0, 0, std::string(80, '1')),
        "80 Zeichen f\xC3\xBCr Spalte 1 von Bereich, h\xC3\xB6"
        "chstens 78.");
    EXPECT_EQ(tooLongCellRefusal(german, 79),
        "79 Zeichen, h\xC3\xB6"
        "chstens 78.");
    EXPECT_EQ(tooLongCellRefusal(englishLookup(), 79),
        "The pasted text is 79 characters long; no field of a procedure holds more than 78. Nothing was pasted.");
}

} // namespace
} // namespace kestrel
