// Calibrator coverage against the procedures themselves: every count must
// be what the text of that standard's procedure shows.
#include "core/app/coverage.h"

#include "core/app/create.h"
#include "core/app/standard_override.h"
#include "core/i18n/text_lookup.h"
#include "core/i18n/text_numbers.h"
#include "core/spec/standards.h"

#include "support/random_specification.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

namespace kestrel {
namespace {

using F = MeterFunction;

int specifiedPoints(const ProcedureInputs& in)
{
    int count = 0;
    for (const MeterFunction f : kAllFunctions)
        for (int c = 0; c < SpecTable::columns(); ++c)
            count += isBlank(in.meter.table(f).cell(RowRange, c)) ? 0 : 1;
    return count;
}

// What a reader of the procedure counts in it, without line sources.
struct TextCounts {
    int limitMessages = 0;   // "... reduced from ..." and "Frequency changed from ..."
    int reducedTests = 0;    // calibrator steps with a limit message above them
    int calibratorSteps = 0; // steps whose FSC is the standard
    int manualSteps = 0;     // EVAL of a manual section, MEMCX of a manual resistance
};

TextCounts countText(const std::string& text, const std::string& standard)
{
    static const std::regex kStep(R"(^ *\d+\.\d{3}  (.*)$)");
    TextCounts counts;
    bool messageAbove = false;
    std::size_t from = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", from)) {
        const std::string line = text.substr(from, at - from);
        from = at + 2;
        std::smatch step;
        if (!std::regex_match(line, step, kStep)) {
            if (line.rfind("# ", 0) == 0 &&
                (line.find(" reduced from ") != std::string::npos ||
                    line.find("Frequency changed from ") != std::string::npos)) {
                ++counts.limitMessages;
                messageAbove = true;
            }
            continue;
        }
        const std::string body = step[1];
        if (body.rfind(standard, 0) == 0) {
            ++counts.calibratorSteps;
            counts.reducedTests += messageAbove ? 1 : 0;
            messageAbove = false;
        }
        if (body.rfind("EVAL         Does UUT read", 0) == 0 || body.rfind("MEMCX", 0) == 0)
            ++counts.manualSteps;
    }
    return counts;
}

TEST(Coverage, CountsWhatEveryStandardsProcedureHolds)
{
    test::RandomSpecification random(4242);
    int reduced = 0, manual = 0, leftOut = 0;
    for (int i = 0; i < 80; ++i) {
        const ProcedureInputs in = random.make();
        const std::vector<Coverage> all = coverageForAll(in);
        ASSERT_EQ(all.size(), kReferences.size());
        for (std::size_t s = 0; s < all.size(); ++s) {
            const Coverage& cov = all[s];
            ASSERT_EQ(cov.standard, kReferences[s]);
            SCOPED_TRACE("specification " + std::to_string(i) + ", " + cov.standard);
            EXPECT_EQ(cov.counts.total(), specifiedPoints(in));
            EXPECT_EQ(static_cast<int>(cov.points.size()), cov.counts.total());

            ProcedureInputs meter = in;
            meter.page = Page::Meter;
            ASSERT_TRUE(overrideStandard(meter, cov.standard));
            SilentSink sink;
            const CreateResult created = createProcedure(meter, EnglishLookup{}, sink);
            EXPECT_EQ(cov.generatorFailed, created.status == CreateStatus::Failed);
            if (cov.generatorFailed)
                continue;
            const TextCounts text = countText(created.text, cov.standard);
            int changes = 0;
            for (const TestPoint& point : cov.points)
                changes += static_cast<int>(point.changes.size());
            EXPECT_EQ(cov.counts.reduced, text.reducedTests);
            EXPECT_EQ(changes, text.limitMessages);
            EXPECT_EQ(cov.counts.manual, text.manualSteps);
            EXPECT_EQ(cov.counts.asSpecified + cov.counts.reduced, text.calibratorSteps);
            reduced += cov.counts.reduced;
            manual += cov.counts.manual;
            leftOut += cov.counts.leftOut;
        }
    }
    // The specifications reach every outcome, or the test proves little.
    EXPECT_GT(reduced, 0);
    EXPECT_GT(manual, 0);
    EXPECT_GT(leftOut, 0);
}

TEST(Coverage, ListsPointsInGridOrderWithTheirFate)
{
    ProcedureInputs in;
    in.page = Page::Scope; // coverage is of the meter grid whatever page is on show
    in.selections.reference = "7300";
    in.meter.table(F::Tc).setCell(RowRange, 0, "100");
    in.meter.table(F::Dcv).setCell(RowRange, 0, "1200");
    in.meter.table(F::Dcv).setCell(RowRange, 2, "10");
    in.meter.table(F::Ohm).setCell(RowRange, 0, "5");

    const std::optional<Coverage> own = coverage(in, "7300");
    ASSERT_TRUE(own);
    EXPECT_EQ(own->counts, (CoverageCounts{2, 1, 0, 1}));
    ASSERT_EQ(own->points.size(), 4u);
    EXPECT_EQ(own->points[0].function, F::Dcv);
    EXPECT_EQ(own->points[0].outcome, PointOutcome::Reduced);
    EXPECT_EQ(own->points[1].column, 2);
    EXPECT_EQ(own->points[1].reason, PointReason::AfterEmptyRange);
    EXPECT_EQ(own->points[2].function, F::Ohm);
    EXPECT_EQ(own->points[3].function, F::Tc);

    const std::optional<Coverage> other = coverage(in, "3300");
    ASSERT_TRUE(other);
    EXPECT_EQ(other->counts, (CoverageCounts{0, 1, 2, 1}));
    EXPECT_EQ(other->points[2].reason, PointReason::BelowTenOhms);
    EXPECT_EQ(other->points[3].reason, PointReason::FunctionNotSourced);
}

// The grid asks for a column's point and shows what becomes of it, with the
// values the procedure's limit message and step carry.
TEST(Coverage, FindsAColumnsPointAndSaysWhatBecomesOfIt)
{
    ProcedureInputs in;
    in.meter.table(F::Dcv).setCell(RowRange, 0, "1200");
    in.meter.table(F::Dcv).setCell(RowRange, 2, "10");
    in.meter.table(F::Acv).setCell(RowRange, 0, "1");
    in.meter.table(F::Acv).setCell(RowFrequency, 0, "5M");
    in.meter.table(F::Ohm).setCell(RowRange, 0, "5");
    in.meter.table(F::Ohm).setCell(RowRange, 1, "100");
    in.meter.table(F::Tc).setCell(RowRange, 0, "100");
    const EnglishLookup texts;
    const auto said = [&](const Coverage& cov, MeterFunction f, int column) {
        const TestPoint* point = cov.pointAt(f, column);
        return point ? describePoint(*point, cov.standard, texts) : std::string("(none)");
    };

    const std::optional<Coverage> own = coverage(in, "7300");
    ASSERT_TRUE(own);
    EXPECT_EQ(said(*own, F::Dcv, 0), "Reduced: the 7300 reaches at most 1100, so the step tests 1100 instead of 1200.");
    EXPECT_EQ(said(*own, F::Dcv, 1), "(none)");
    EXPECT_EQ(said(*own, F::Dcv, 2),
        "Left out: an earlier column of this function has no UUT range, and the "
        "function's tests end there.");
    EXPECT_EQ(said(*own, F::Acv, 0),
        "Reduced: at this level the 7300 reaches at most 500K, so the step tests at 500KH instead of 5M.");
    EXPECT_EQ(said(*own, F::Ohm, 1), "");
    EXPECT_EQ(said(*own, F::Aci, 0), "(none)");

    const std::optional<Coverage> other = coverage(in, "3300");
    ASSERT_TRUE(other);
    EXPECT_EQ(said(*other, F::Ohm, 0),
        "Manual: the 3300 sources no resistance below 10 ohms; the operator applies the point by hand.");
    EXPECT_EQ(said(*other, F::Tc, 0),
        "Manual: the 3300 cannot source this function; the operator applies the point by hand.");
    EXPECT_EQ(outcomeTextNumber(other->pointAt(F::Tc, 0)->outcome), kTextOutcomeManual);

    // Under a comma locale the values read as the grid's cells do.
    in.meter.table(F::Acv).setCell(RowRange, 0, "750.5");
    in.meter.table(F::Acv).setCell(RowFrequency, 0, "10K");
    const std::optional<Coverage> small = coverage(in, "7600");
    ASSERT_TRUE(small);
    EXPECT_EQ(describePoint(*small->pointAt(F::Acv, 0), "7600", texts, ","),
        "Reduced: the 7600 reaches at most 220,0, so the step tests 220,0V instead of 750,5.");
}

// The grid's last column (25) is a column like the others: tested when the
// columns before it are full, left out after an empty one.
TEST(Coverage, ReachesTheLastColumn)
{
    ProcedureInputs in;
    SpecTable& dcv = in.meter.table(F::Dcv);
    for (int c = 0; c < 26; ++c)
        dcv.setCell(RowRange, c, std::to_string(c + 1));
    for (const Coverage& cov : coverageForAll(in)) {
        SCOPED_TRACE(cov.standard);
        EXPECT_EQ(cov.counts.total(), 26);
        const TestPoint* last = cov.pointAt(F::Dcv, 25);
        ASSERT_NE(last, nullptr);
        EXPECT_NE(last->outcome, PointOutcome::LeftOut);
    }

    dcv.setCell(RowRange, 24, "");
    const std::optional<Coverage> gap = coverage(in, "7600");
    ASSERT_TRUE(gap);
    ASSERT_NE(gap->pointAt(F::Dcv, 25), nullptr);
    EXPECT_EQ(gap->pointAt(F::Dcv, 25)->outcome, PointOutcome::LeftOut);
    EXPECT_EQ(gap->pointAt(F::Dcv, 25)->reason, PointReason::AfterEmptyRange);
}

TEST(Coverage, IsOnlyForMeterStandards)
{
    const ProcedureInputs in;
    EXPECT_FALSE(coverage(in, "8240 - 5 Channel"));
    EXPECT_FALSE(coverage(in, "7301"));
    ASSERT_TRUE(coverage(in, "6400"));
    EXPECT_EQ(coverage(in, "6400")->counts.total(), 0);
}

} // namespace
} // namespace kestrel
