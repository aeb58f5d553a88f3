#include "core/app/failure.h"
#include "core/spec/tolerance.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

namespace kestrel {
namespace {

// One column 0 built from (row, text) pairs.
SpecTable column(std::initializer_list<std::pair<int, const char*>> cells)
{
    SpecTable t(9);
    for (const auto& [row, text] : cells)
        t.setCell(row, 0, text);
    return t;
}

struct ToleranceCase {
    const char* label;
    SpecTable table;
    const char* sep;
    const char* asWritten;
    const char* units;
};

class Tolerance : public ::testing::TestWithParam<ToleranceCase> {};

TEST_P(Tolerance, BothStyles)
{
    const auto& p = GetParam();
    EXPECT_EQ(calcTolerance(p.table, 0, ToleranceStyle::AsWritten, p.sep), p.asWritten) << p.label;
    EXPECT_EQ(calcTolerance(p.table, 0, ToleranceStyle::Units, p.sep), p.units) << p.label;
    EXPECT_EQ(calcAbsTolerance(p.table, 0, p.sep), p.units) << p.label;
}

INSTANTIATE_TEST_SUITE_P(Columns, Tolerance, ::testing::Values(
    ToleranceCase{"reading, range and digits", column({{0, "2.000"}, {2, "0.05"}, {3, "0.01"}, {7, "2"}}), ".",
                  "0.05% 0.01/ 0.002U", "0.0032U"},
    ToleranceCase{"reading alone keeps its blank", column({{0, "20"}, {2, "0.1"}}), ".", "0.1% ", "0.02U"},
    ToleranceCase{"text kept as typed", column({{0, "20"}, {2, "0.050"}}), ".", "0.050% ", "0.01U"},
    ToleranceCase{"level instead of range", column({{0, "20"}, {1, "10"}, {2, "0.05"}}), ".", "0.05% ", "0.005U"},
    ToleranceCase{"nothing but a range", column({{0, "20"}}), ".", "", "0U"},
    ToleranceCase{"empty range", column({{2, "0.05"}}), ".", "0.05% ", "0"},
    ToleranceCase{"zero terms are left out", column({{0, "10"}, {2, "0"}, {3, "0.00"}, {4, "3"}}), ".",
                  "3P% ", "0.00003U"},
    ToleranceCase{"ppm of reading and range", column({{0, "1.00000000"}, {4, "3"}, {5, "0.2"}}), ".",
                  "3P% 0.2P/ ", "0.0000032U"},
    // Without decimals in the range the digits count whole units of it.
    ToleranceCase{"percent in a milli range", column({{0, "200m"}, {2, "0.1"}, {7, "1"}}), ".",
                  "0.1% 1U", "1.2U"},
    ToleranceCase{"percent in a milli range with decimals", column({{0, "200.0m"}, {2, "0.1"}, {7, "1"}}), ".",
                  "0.1% 0.1U", "0.3U"},
    ToleranceCase{"fixed term in micro", column({{0, "200m"}, {6, "50\xC2\xB5"}}), ".", "0.05U", "0.05U"},
    ToleranceCase{"comma locale", column({{0, "2,000"}, {2, "0,05"}, {3, "0,01"}, {7, "2"}}), ",",
                  "0,05% 0,01/ 0,002U", "0,0032U"},
    ToleranceCase{"kilo range", column({{0, "10.00K"}, {2, "0.1"}, {7, "3"}}), ".", "0.1% 0.03U", "0.04U"},
    ToleranceCase{"zero level gives only the floor", column({{0, "20"}, {1, "0"}, {2, "1"}, {7, "3"}}), ".",
                  "1% 3U", "3U"}));

struct FloorCase {
    const char* range;
    const char* fixed;
    const char* digits;
    const char* sep;
    const char* floor;
};

class Floor : public ::testing::TestWithParam<FloorCase> {};

TEST_P(Floor, FixedTermPlusDigits)
{
    const auto& p = GetParam();
    const SpecTable t = column({{0, p.range}, {6, p.fixed}, {7, p.digits}});
    EXPECT_EQ(calcFloor(t, 0, p.sep), p.floor) << p.range << " " << p.fixed << " " << p.digits;
}

INSTANTIATE_TEST_SUITE_P(Terms, Floor, ::testing::Values(
    FloorCase{"200m", "50\xC2\xB5", "", ".", "0.05U"}, FloorCase{"20.00", "", "3", ".", "0.03U"},
    FloorCase{"200", "", "2", ".", "2U"}, FloorCase{"2", "", "2", ".", "2U"},
    FloorCase{"2.0000", "", "2", ".", "0.0002U"}, FloorCase{"2", "1m", "", ".", "0.001U"},
    FloorCase{"200m", "1m", "", ".", "1U"}, FloorCase{"20", "", "", ".", ""},
    FloorCase{"20", "0", "0", ".", ""}, FloorCase{"2,000", "", "5", ",", "0,005U"},
    FloorCase{"2,000", "1m", "5", ",", "0,006U"},
    // A lower-case "k" does not rescale; an upper-case "K" does.
    FloorCase{"2K", "10", "", ".", "0.01U"}, FloorCase{"2k", "10", "", ".", "10U"},
    FloorCase{"1.000000M", "", "8", ".", "0.000008U"}, FloorCase{"-200.0", "0.3", "", ".", "0.3U"},
    FloorCase{"", "2", "1", ".", "3U"}));

TEST(AbsToleranceValue, IsTheNumberOfTheText)
{
    const SpecTable t = column({{0, "200.0m"}, {2, "0.1"}, {7, "1"}});
    EXPECT_DOUBLE_EQ(absToleranceValue(t, 0, "."), 0.3);
    EXPECT_DOUBLE_EQ(absToleranceValue(column({}), 0, "."), 0.0);
}

TEST(FormatNominal, NormalisesForAProcedureAndChangesTheArgument)
{
    std::string s = "1,5\xC2\xB5";
    EXPECT_EQ(formatNominal(s, ","), "1.5u");
    EXPECT_EQ(s, "1.5u");
    std::string dotted = "2.5m";
    EXPECT_EQ(formatNominal(dotted, "."), "2.5m");
}

struct OhmsCase {
    const char* value;
    const char* reference;
    const char* label;
};

class FixedOhms : public ::testing::TestWithParam<OhmsCase> {};

TEST_P(FixedOhms, LargestNotAbove)
{
    const auto& p = GetParam();
    EXPECT_EQ(getFixedOhmsValue(p.value, p.reference, "."), p.label) << p.value << " " << p.reference;
}

INSTANTIATE_TEST_SUITE_P(Tables, FixedOhms, ::testing::Values(
    OhmsCase{"150", "7600", "100"}, OhmsCase{"1.95K", "7620", "1.90K"}, OhmsCase{"5M", "7300", "1.00M"},
    OhmsCase{"5M", "3302", "1.00M"}, OhmsCase{"0", "7600", "0"}, OhmsCase{"1.9", "7600", "1.9"},
    OhmsCase{"1G", "7600", "100.0M"}, OhmsCase{"1G", "6400", "100.00M"}, OhmsCase{"10", "6400", "10.00"},
    OhmsCase{"999", "7320", "100.00"}, OhmsCase{"1000", "7320", "1.000K"}, OhmsCase{"190.0K", "7600", "190.0K"}));

TEST(FixedOhms, BelowTheFirstEntryFailsWithSubscriptOutOfRange)
{
    for (const auto& [value, reference] : {std::pair{"9.9", "7300"}, std::pair{"-1", "7600"}}) {
        try {
            getFixedOhmsValue(value, reference, ".");
            ADD_FAILURE() << value;
        } catch (const ProcedureFailure& e) {
            EXPECT_EQ(e.number(), kErrSubscript);
            EXPECT_STREQ(e.what(), "Subscript out of range");
        }
    }
}

struct MultCase {
    const char* in;
    const char* sep;
    const char* out;
};

class MultGrid : public ::testing::TestWithParam<MultCase> {};

TEST_P(MultGrid, OneDecadeUp)
{
    const auto& p = GetParam();
    EXPECT_EQ(multGrid(p.in, p.sep), p.out) << p.in;
}

INSTANTIATE_TEST_SUITE_P(Texts, MultGrid, ::testing::Values(
    MultCase{"2.000", ".", "20.00"}, MultCase{"200m", ".", "2.00"}, MultCase{"20", ".", "200"},
    MultCase{"2000", ".", "20.00K"}, MultCase{"1.9", ".", "19"}, MultCase{"300m", ".", "3.00"},
    MultCase{"300", ".", "3.00K"}, MultCase{"-2.000", ".", "-20.00"}, MultCase{"100m", ".", "1.00"},
    MultCase{"10\xC2\xB5", ".", "100\xC2\xB5"}, MultCase{"10u", ".", "100\xC2\xB5"},
    MultCase{"299.9", ".", "2.999K"}, MultCase{"50m", ".", "0.5"}, MultCase{"49m", ".", "490m"},
    MultCase{"1p", ".", "10p"}, MultCase{"100p", ".", "1.00n"}, MultCase{"100n", ".", "1.00\xC2\xB5"},
    MultCase{"100K", ".", "1.00M"}, MultCase{"100M", ".", "1.00G"}, MultCase{"1G", ".", "10G"},
    MultCase{"2,000", ",", "20,00"}, MultCase{"1,5m", ",", "15m"}, MultCase{"abc", ".", "0"},
    MultCase{"", ".", "0"}, MultCase{"0.000", ".", "0.000"}, MultCase{"5k", ".", "50K"}));

TEST(LocalNumberText, UsesTheLocaleSeparator)
{
    EXPECT_EQ(localNumberText(0.25, ","), "0,25");
    EXPECT_EQ(localNumberText(1100, ","), "1100");
}

} // namespace
} // namespace kestrel

namespace kestrel {
namespace {

TEST(BadNumbers, ReadAsZeroOrKeepTheirDigits)
{
    for (const char* text : {"nan", "NaN", "inf", "-inf", "--5", "."})
        EXPECT_EQ(multGrid(text, "."), "0") << text;
    EXPECT_EQ(multGrid("1e999", "."), "0.000");
    const std::string nines(10000, '9');
    const std::string tenfold = multGrid(nines, ".");
    // Too large for a double: read as 0, padded to as many digits as typed.
    EXPECT_EQ(tenfold.size(), 10001u);
    EXPECT_EQ(tenfold.substr(0, 3), "0.0");
    SpecTable t(8);
    t.setCell(RowRange, 0, nines);
    t.setCell(RowDigits, 0, nines);
    EXPECT_EQ(calcTolerance(t, 0, ToleranceStyle::Units, "."), "0");
}

} // namespace
} // namespace kestrel
