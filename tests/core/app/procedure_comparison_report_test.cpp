// The comparison of procedures as text: renumberings by their amount or
// their new numbers, changes by their steps or lines.
#include "core/app/procedure_comparison_report.h"

#include <gtest/gtest.h>

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
