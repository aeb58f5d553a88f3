// The one step-layout table: the column header is made from it, its fields
// line up under their titles, and the overflow check measures by it.
#include "core/base/text_util.h"
#include "core/procgen/line_overflows.h"
#include "core/procgen/preamble.h"
#include "core/procgen/step_fields.h"
#include "core/procgen/step_layout.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrel {
namespace {

// The header line column of a body column's character (0-based).
std::size_t headerIndex(std::size_t bodyColumn) { return kBodyOffset + bodyColumn - 1; }

// docs/specification-files.md: the header lines are as wide as the column
// header, 78 characters, their values start in column 24 and have 55.
TEST(StepLayout, HeaderLinesAsDocumented)
{
    EXPECT_EQ(kColumnHeader.size(), 78u);
    EXPECT_EQ(headerValueRoom(), 55u);
    CommonInputs inputs;
    inputs.identity = {"N", "A", "R", ""};
    inputs.headerDate = "D";
    const std::string header = headerLines(inputs, 3, 40);
    for (const std::string_view line : splitLines(header))
        EXPECT_EQ(line.find_first_not_of(' ', line.find(':') + 1), 23u) << line;
}

TEST(StepLayout, EachTitleStandsAtItsFieldsFirstColumn)
{
    for (const StepField& f : kStepFields) {
        EXPECT_EQ(kColumnHeader.substr(headerIndex(f.first), f.title.size()), f.title) << f.title;
        EXPECT_EQ(kColumnHeader[headerIndex(f.first) - 1], ' ') << f.title << " runs on from its neighbour";
    }
    EXPECT_EQ(kColumnHeader.substr(kStepNumberTitleColumn - 1, kStepNumberTitle.size()), kStepNumberTitle);
}

TEST(StepLayout, TheHeaderHoldsTheTitlesAndNothingElse)
{
    std::string rest(kColumnHeader);
    rest.replace(kStepNumberTitleColumn - 1, kStepNumberTitle.size(), kStepNumberTitle.size(), ' ');
    for (const StepField& f : kStepFields)
        rest.replace(headerIndex(f.first), f.title.size(), f.title.size(), ' ');
    EXPECT_EQ(rest, std::string(rest.size(), ' '));
    // One blank past the widest meter step line, which the rule spans.
    EXPECT_EQ(kColumnHeader.size(), kHeaderRule.size() + 1);
    EXPECT_EQ(kHeaderRule.size(), kBodyOffset + kMeterBodyWidth);
    EXPECT_EQ(kHeaderRule.find_first_not_of('='), std::string_view::npos);
}

TEST(StepLayout, FieldsFollowEachOtherWithoutOverlapping)
{
    std::size_t previousLast = 0;
    for (const StepField& f : kStepFields) {
        EXPECT_GT(f.first, previousLast) << f.title << " overlaps the field before it";
        EXPECT_LE(f.first, f.at) << f.title;
        EXPECT_LE(f.at, f.last) << f.title;
        EXPECT_LE(f.first + f.title.size() - 1, f.last) << f.title << " is wider than its field";
        previousLast = f.last;
    }
    EXPECT_EQ(kStepFields.back().last, kMeterBodyWidth);
    EXPECT_LE(kMeterBodyWidth, kScopeLineWidth);
    // The thermocouple's MOD2 alone runs on, to the end of column 3.
    EXPECT_EQ(field::kThermocouple.title, field::kMod2.title);
    EXPECT_EQ(field::kThermocouple.at, field::kMod2.at);
    EXPECT_EQ(field::kThermocouple.last, field::kMod3.last);
}

// A text as long as its field leaves it fits; one character more is noted,
// with the room the table gives.
TEST(StepLayout, FieldPlacerMeasuresByTheTable)
{
    for (const StepField& f : kStepFields) {
        FieldOverflows overflows;
        FieldPlacer placer(&overflows);
        placer.setTest("dcv", 3);
        std::string body(kMeterBodyWidth, ' ');
        placer.place(body, f, std::string(f.room(), 'x'), "range");
        EXPECT_TRUE(overflows.empty()) << f.title;
        EXPECT_EQ(body.find('x'), f.at - 1) << f.title;
        placer.place(body, f, std::string(f.room() + 1, 'y'), "range");
        ASSERT_EQ(overflows.size(), 1u) << f.title;
        EXPECT_EQ(overflows[0].field, f.title);
        EXPECT_EQ(overflows[0].room, f.last - f.at + 1);
    }
    FieldOverflows overflows;
    FieldPlacer placer(&overflows);
    std::string body(kMeterBodyWidth, ' ');
    placer.place(body, field::kThermocouple, "_K TC");
    EXPECT_TRUE(overflows.empty());
}

} // namespace
} // namespace kestrel
