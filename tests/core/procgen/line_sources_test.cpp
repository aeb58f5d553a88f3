// Line sources: each line of the text tied to the page, function and
// column it was made from, and each specified meter test point's fate.
#include "core/app/create.h"

#include "support/random_specification.h"
#include "support/recording_sink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrel {
namespace {

using F = MeterFunction;
using Q = LimitChange::Quantity;

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", from)) {
        lines.push_back(text.substr(from, at - from));
        from = at + 2;
    }
    return lines;
}

struct Traced {
    CreateResult result;
    LineSources sources;
    std::vector<std::string> lines;

    // The first line holding `part`, or -1.
    int find(const std::string& part) const
    {
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (lines[i].find(part) != std::string::npos)
                return static_cast<int>(i);
        return -1;
    }
};

} // namespace

void PrintTo(const TestPoint& p, std::ostream* os)
{
    *os << "{" << functionInfo(p.function).code << " " << p.column << " outcome " << static_cast<int>(p.outcome)
        << " reason " << static_cast<int>(p.reason);
    for (const LimitChange& change : p.changes)
        *os << " [" << static_cast<int>(change.quantity) << " " << change.specified << " " << change.limit << " "
            << change.tested << "]";
    *os << "}";
}

namespace {

Traced create(const ProcedureInputs& in)
{
    SilentSink sink;
    Traced out;
    out.result = createProcedure(in, EnglishLookup{}, sink, nullptr, &out.sources);
    out.lines = linesOf(out.result.text);
    return out;
}

ProcedureInputs meterInputs(const char* reference)
{
    ProcedureInputs in;
    in.selections.reference = reference;
    return in;
}

TEST(LineSources, LeaveEveryProcedureByteIdenticalAndCoverEachLineOnce)
{
    test::RandomSpecification random(20260);
    for (int i = 0; i < 300; ++i) {
        const ProcedureInputs in = random.make();
        SilentSink sink;
        const CreateResult plain = createProcedure(in, EnglishLookup{}, sink);
        const Traced traced = create(in);
        ASSERT_EQ(plain.text, traced.result.text) << i;
        ASSERT_EQ(traced.sources.lines.size(), traced.lines.size()) << i;
        for (const LineSource& line : traced.sources.lines) {
            EXPECT_EQ(line.page, in.page) << i;
            EXPECT_LT(line.point, static_cast<int>(traced.sources.points.size())) << i;
        }
        if (in.page == Page::Scope) {
            EXPECT_TRUE(traced.sources.points.empty()) << i;
        }
    }
}

TEST(LineSources, TieHeadingsTestsAndMessagesToTheirColumn)
{
    ProcedureInputs in = meterInputs("7300");
    SpecTable& dcv = in.meter.table(F::Dcv);
    dcv.setCell(RowRange, 0, "10");
    dcv.setCell(RowRange, 1, "1000");
    dcv.setCell(RowLevel, 1, "1200");
    dcv.setCell(RowRange, 3, "20"); // behind the gap in column 2
    const Traced t = create(in);
    ASSERT_EQ(t.result.status, CreateStatus::Created);

    const std::vector<TestPoint> expected{
        {F::Dcv, 0, PointOutcome::AsSpecified, PointReason::None, {}},
        {F::Dcv, 1, PointOutcome::Reduced, PointReason::None, {{Q::Nominal, "1200", "1100", "1100"}}},
        {F::Dcv, 3, PointOutcome::LeftOut, PointReason::AfterEmptyRange, {}},
    };
    EXPECT_EQ(t.sources.points, expected);

    const int heading = t.find("HEAD   \\{DC Volts Test\\}");
    const int message = t.find("Voltage reduced from 1200 volts to 1100 volts");
    const int firstStep = t.find("7300   10    10V");
    ASSERT_GE(heading, 0);
    ASSERT_GE(message, 0);
    ASSERT_GE(firstStep, 0);
    EXPECT_EQ(t.sources.lines[static_cast<std::size_t>(heading)], (LineSource{Page::Meter, F::Dcv, -1, -1}));
    EXPECT_EQ(t.sources.lines[static_cast<std::size_t>(firstStep)], (LineSource{Page::Meter, F::Dcv, 0, 0}));
    EXPECT_EQ(t.sources.lines[static_cast<std::size_t>(message)], (LineSource{Page::Meter, F::Dcv, 1, 1}));
    ASSERT_NE(t.sources.pointOf(static_cast<std::size_t>(message)), nullptr);
    EXPECT_EQ(t.sources.pointOf(static_cast<std::size_t>(message))->outcome, PointOutcome::Reduced);
    // The header block, seven lines written as one, belongs to no function.
    for (int i = 0; i < heading; ++i)
        EXPECT_FALSE(t.sources.lines[static_cast<std::size_t>(i)].function.has_value()) << t.lines[i];
    // So do the closing steps after the last section.
    EXPECT_FALSE(t.sources.lines.back().function.has_value());
}

struct PointCase {
    const char* name;
    const char* reference;
    F function;
    std::vector<std::pair<int, std::string>> rows; // of column 0
    TestPoint expected;
};
void PrintTo(const PointCase& c, std::ostream* os) { *os << c.name; }

class PointFate : public ::testing::TestWithParam<PointCase> { };

TEST_P(PointFate, IsRecordedAsTheProcedureWritesIt)
{
    const PointCase& c = GetParam();
    ProcedureInputs in = meterInputs(c.reference);
    for (const auto& [row, text] : c.rows)
        in.meter.table(c.function).setCell(row, 0, text);
    const Traced t = create(in);
    ASSERT_EQ(t.sources.points.size(), 1u) << t.result.text;
    EXPECT_EQ(t.sources.points[0], c.expected) << t.result.text;
}

INSTANTIATE_TEST_SUITE_P(Generators, PointFate,
    ::testing::Values(
        PointCase{"AcVoltsBothReducedAndFrequencyRaised", "7300", F::Acv, {{RowRange, "1200"}, {RowFrequency, "5"}},
            {F::Acv, 0, PointOutcome::Reduced, PointReason::None,
                {{Q::Nominal, "1200", "1000", "1000V"}, {Q::Frequency, "5", "10", "10H"}}}},
        PointCase{"AcCurrentFrequencyOnly", "7300", F::Aci, {{RowRange, "2"}, {RowFrequency, "5"}},
            {F::Aci, 0, PointOutcome::Reduced, PointReason::None, {{Q::Frequency, "5", "10", "10H"}}}},
        PointCase{"ResistanceWrittenOtherThanItsLimit", "7300", F::Ohm, {{RowRange, "400M"}},
            {F::Ohm, 0, PointOutcome::Reduced, PointReason::None, {{Q::Nominal, "400M", "330000000", "329.999MZ"}}}},
        PointCase{"FrequencyNamedByItsMessageValue", "6400", F::Freq, {{RowRange, "200K"}},
            {F::Freq, 0, PointOutcome::Reduced, PointReason::None, {{Q::Nominal, "200K", "100K", "100.00KH"}}}},
        PointCase{"AtTheLimitStaysAsSpecified", "7300", F::Dcv, {{RowRange, "1100"}},
            {F::Dcv, 0, PointOutcome::AsSpecified, PointReason::None, {}}},
        PointCase{"TemperatureOnTheThreeThousands", "3300", F::Tc, {{RowRange, "100"}},
            {F::Tc, 0, PointOutcome::Manual, PointReason::FunctionNotSourced, {}}},
        PointCase{"CapacitanceOnThe7600", "7600", F::Cap, {{RowRange, "1u"}},
            {F::Cap, 0, PointOutcome::Manual, PointReason::FunctionNotSourced, {}}},
        PointCase{"SmallResistanceOnTheThreeThousands", "3302", F::Ohm, {{RowRange, "5"}},
            {F::Ohm, 0, PointOutcome::Manual, PointReason::BelowTenOhms, {}}},
        PointCase{"TenOhmsOnTheThreeThousands", "3302", F::Ohm, {{RowRange, "10"}},
            {F::Ohm, 0, PointOutcome::AsSpecified, PointReason::None, {}}},
        PointCase{"DcCurrentAboveThe7320sLimit", "7320", F::Dci, {{RowRange, "25"}},
            {F::Dci, 0, PointOutcome::Reduced, PointReason::None, {{Q::Nominal, "25", "20.5", "20.5"}}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LineSources, LeaveOutAnEmptyFirstColumnsFunctionWhole)
{
    ProcedureInputs in = meterInputs("7300");
    in.meter.table(F::Dci).setCell(RowRange, 2, "1");
    in.meter.table(F::Dci).setCell(RowRange, 3, "2");
    const Traced t = create(in);
    EXPECT_EQ(t.result.status, CreateStatus::NothingCreated);
    EXPECT_TRUE(t.sources.lines.empty());
    const std::vector<TestPoint> expected{
        {F::Dci, 2, PointOutcome::LeftOut, PointReason::AfterEmptyRange, {}},
        {F::Dci, 3, PointOutcome::LeftOut, PointReason::AfterEmptyRange, {}},
    };
    EXPECT_EQ(t.sources.points, expected);
}

TEST(LineSources, LeaveOutWhatAFailedGeneratorNeverReached)
{
    // The 7600 has no fixed resistance for a negative nominal: generation
    // stops in the resistance section's second test.
    ProcedureInputs in = meterInputs("7600");
    in.meter.table(F::Ohm).setCell(RowRange, 0, "100");
    in.meter.table(F::Ohm).setCell(RowRange, 1, "-100");
    in.meter.table(F::Freq).setCell(RowRange, 0, "1K");
    const Traced t = create(in);
    ASSERT_EQ(t.result.status, CreateStatus::Failed);
    ASSERT_EQ(t.sources.lines.size(), t.lines.size());
    const std::vector<TestPoint> expected{
        {F::Ohm, 0, PointOutcome::AsSpecified, PointReason::None, {}},
        {F::Ohm, 1, PointOutcome::LeftOut, PointReason::GenerationFailed, {}},
        {F::Freq, 0, PointOutcome::LeftOut, PointReason::GenerationFailed, {}},
    };
    EXPECT_EQ(t.sources.points, expected);
}

} // namespace
} // namespace kestrel
