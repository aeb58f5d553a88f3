// The comparison of procedures as text: renumberings by their amount or
// their new numbers, changes by their steps or lines.
#include "core/app/procedure_comparison_report.h"

#include "core/app/create.h"
#include "core/base/message_sink.h"
#include "core/i18n/text_lookup.h"
#include "support/random_specification.h"

#include <gtest/gtest.h>

#include <set>

namespace kestrel {
namespace {

TEST(ProcedureComparisonReport, RenumberingsByAmountOrNewNumbers)
{
    const struct {
        Renumbering renumbering;
        const char* text;
    } cases[] = {
        {{{12, 1}, {40, 2}, {13, 1}, {41, 2}, 1, 0}, "steps 12.001-40.002 renumbered +1"},
        {{{5, 3}, {9, 1}, {3, 3}, {7, 1}, -2, 0}, "steps 5.003-9.001 renumbered -2"},
        {{{1, 8}, {1, 10}, {1, 9}, {1, 11}, 0, 1}, "steps 1.008-1.010 renumbered +0.001"},
        {{{1, 120}, {1, 130}, {1, 8}, {1, 18}, 0, -112}, "steps 1.120-1.130 renumbered -0.112"},
        {{{3, 4}, {3, 6}, {4, 1}, {4, 3}, 1, -3}, "steps 3.004-3.006 renumbered 4.001-4.003"},
        {{{3, 4}, {3, 4}, {4, 1}, {4, 1}, 1, -3}, "step 3.004 renumbered 4.001"},
        {{{100, 999}, {100, 999}, {101, 999}, {101, 999}, 1, 0}, "step 100.999 renumbered +1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(renumberingText(c.renumbering), c.text);
}

TEST(ProcedureComparisonReport, ChangesWithTheirStepsFieldsAndLines)
{
    const std::string a = "HEADER: 1\r\n"
                          "  1.001  DISP         Old text\r\n"
                          "  2.001  7600   2     1.9V           0.05%                                 2W\r\n"
                          "  3.001  DISP         Gone\r\n";
    const std::string b = "HEADER: 1\r\n"
                          "  1.001  DISP         Old text\r\n"
                          "  1.002  DISP         New \x1b[2J\r\n"
                          "  2.001  7600   2     1.8V           0.05%                                 2W\r\n";
    EXPECT_EQ(procedureComparisonText(compareProcedures(a, b), a, b),
        "inserted step 1.002 (B line 3)\n"
        "+   1.002  DISP         New \\u001b[2J\n"
        "changed step 2.001 (A line 3, B line 4)\n"
        "  NOMINAL: \"1.9V\" -> \"1.8V\"\n"
        "-   2.001  7600   2     1.9V           0.05%                                 2W\n"
        "+   2.001  7600   2     1.8V           0.05%                                 2W\n"
        "removed step 3.001 (A line 4)\n"
        "-   3.001  DISP         Gone\n");
    EXPECT_EQ(procedureComparisonText(compareProcedures(a, a), a, a), "");
}

} // namespace
} // namespace kestrel

namespace kestrel {
namespace {

// Random pairs of specifications, through Create: every line that is not
// equal on both sides belongs to exactly one change, every change's lines
// are such lines, and the lines shown as equal are equal or differ in
// their step number alone. Same procedures compare the same.
TEST(ProcedureComparisonReport, ChangesCoverExactlyTheLinesThatDiffer)
{
    int compared = 0;
    for (unsigned seed = 0; seed < 60; ++seed) {
        test::RandomSpecification random(seed);
        ProcedureInputs first = random.make(), second = first;
        random.change(second, 1 + static_cast<int>(seed % 5));
        first.headerDate = second.headerDate = "05-Dec-26";
        SilentSink sink;
        const std::string a = createProcedure(first, EnglishLookup{}, sink).text;
        const std::string b = createProcedure(second, EnglishLookup{}, sink).text;
        const ProcedureComparison comparison = compareProcedures(a, b);
        EXPECT_EQ(comparison.same(), a == b) << "seed " << seed;
        const TextLines linesA = diffableLines(a), linesB = diffableLines(b);

        std::set<std::size_t> differA, differB, inChangesA, inChangesB;
        std::size_t rowsA = 0, rowsB = 0;
        for (const ProcedureRow& row : comparison.rows) {
            rowsA += row.line.left.has_value();
            rowsB += row.line.right.has_value();
            if (row.line.kind != AlignedKind::Equal) {
                if (row.line.left)
                    differA.insert(*row.line.left);
                if (row.line.right)
                    differB.insert(*row.line.right);
                continue;
            }
            const std::string_view left = linesA.lines[*row.line.left], right = linesB.lines[*row.line.right];
            EXPECT_EQ(row.renumbered, left != right) << "seed " << seed;
            EXPECT_EQ(left.substr(std::min<std::size_t>(7, left.size())),
                right.substr(std::min<std::size_t>(7, right.size())));
        }
        EXPECT_EQ(rowsA, linesA.lines.size());
        EXPECT_EQ(rowsB, linesB.lines.size());
        for (const ProcedureChange& change : comparison.changes) {
            EXPECT_TRUE(change.before || change.after);
            for (const auto& [lines, seen] :
                {std::pair{change.before, &inChangesA}, std::pair{change.after, &inChangesB}}) {
                if (!lines)
                    continue;
                for (std::size_t i = lines->first; i < lines->first + lines->count; ++i) {
                    EXPECT_TRUE(seen->insert(i).second) << "seed " << seed << ": line " << i << " twice";
                }
            }
        }
        EXPECT_EQ(inChangesA, differA) << "seed " << seed;
        EXPECT_EQ(inChangesB, differB) << "seed " << seed;
        compared += a != b;
    }
    EXPECT_GT(compared, 30);
}

} // namespace
} // namespace kestrel
