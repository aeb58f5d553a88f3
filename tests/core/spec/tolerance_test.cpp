// The number texts of the grid and the procedures: engineering notation in
// and out, the TOLERANCE texts, the floor, the fixed resistances and the
// one-decade-up of "Multiply X 10", as worked examples.
#include "core/base/failure.h"
#include "core/spec/numbers.h"
#include "core/spec/tolerance.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
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

TEST(Numbers, EngineeringNotationInAndOut)
{
    const struct {
        const char* text;
        const char* sep;
        double value;
    } cases[] = {{"1.5M", ".", 1.5e6}, {"2k", ".", 2000}, {"2K", ".", 2000}, {"10mM", ".", 1e7}, {"200m", ".", 0.2},
        {"10\xC2\xB5", ".", 1e-5}, {"10u", ".", 1e-5}, {"5p", ".", 5e-12}, {"3n", ".", 3e-9}, {"1G", ".", 1e9},
        {"1,5m", ",", 1.5e-3}, {"-2.000", ".", -2}, {"", ".", 0}, {"abc", ".", 0}, {"  42x", ".", 42},
        {"1e3", ".", 1000}, {"1e", ".", 1}, {"10999m", ".", 10.999}, {"1e999", ".", 0}, {".5", ".", 0.5},
        {"-", ".", 0}};
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(textToValue(c.text, c.sep), c.value) << c.text;
        // The exact reading is the same number.
        EXPECT_EQ(exactTextToValue(c.text, c.sep).text(), numberText(c.value)) << c.text;
    }

    // Written back without an exponent, at most 15 significant digits.
    const struct {
        double value;
        const char* text;
        const char* range;
    } texts[] = {{0, "0", "0"}, {0.2, "0.2", ".2"}, {-0.25, "-0.25", "-.25"}, {1100, "1100", "1100"},
        {2.2e7 / 300000, "73.3333333333333", "73.3333333333333"}, {0.1 + 0.2, "0.3", ".3"},
        {1e-9, "0.000000001", ".000000001"}, {1e9, "1000000000", "1000000000"}, {0.00005, "0.00005", ".00005"},
        {123456789012345678.0, "123456789012346000", "123456789012346000"}};
    for (const auto& c : texts) {
        EXPECT_EQ(numberText(c.value), c.text);
        EXPECT_EQ(rangeNumberText(c.value), c.range);
    }
    EXPECT_EQ(localNumberText(Decimal::parse("0.25"), ","), "0,25");
    // A nominal for a procedure: "u" for micro and "." whatever the locale.
    std::string nominal = "1,5\xC2\xB5";
    EXPECT_EQ(formatNominal(nominal, ","), "1.5u");
    EXPECT_EQ(nominal, "1.5u");
}

// The digits a number text carries, without sign, point and the zeros
// that only place the point.
std::string significantDigits(std::string text)
{
    std::erase_if(text, [](char ch) { return ch == '-' || ch == '.'; });
    text.erase(0, text.find_first_not_of('0'));
    text.erase(text.find_last_not_of('0') + 1);
    return text;
}

TEST(Numbers, WrittenWithFifteenDigitsAtEveryMagnitude)
{
    // Fixed notation of the double itself would write its binary digits
    // ("1000000000000000019884624838656" for 1e30).
    const struct {
        double value;
        std::string text;
    } cases[] = {{1e30, "1" + std::string(30, '0')}, {999999999999999999999999999999.0, "1" + std::string(30, '0')},
        {-1.5e300, "-15" + std::string(299, '0')}, {1.234567890123456789e40, "123456789012346" + std::string(26, '0')},
        {1.234567890123456789e-300, "0." + std::string(299, '0') + "123456789012346"},
        {-2.5e-20, "-0.000000000000000000025"}};
    for (const auto& c : cases)
        EXPECT_EQ(numberText(c.value), c.text) << c.value;
    for (int power = -300; power <= 300; ++power) {
        // Read from text, not computed: every C library reads a decimal
        // to the nearest double, while pow() differs in its last bits.
        const double value = std::stod("1.2345678901234567e" + std::to_string(power));
        const std::string text = numberText(value);
        EXPECT_EQ(text.find_first_of("eE"), std::string::npos) << text;
        EXPECT_EQ(significantDigits(text), "123456789012346") << power;
    }
    // Thirty 9s with a prefix letter, as a cell gives them to the procedure.
    EXPECT_EQ(exactTextToValue(std::string(30, '9') + "G", ".").text(), "1" + std::string(39, '0'));
    EXPECT_EQ(numberText(textToValue(std::string(30, '9') + "G", ".")), "1" + std::string(39, '0'));
}

TEST(Tolerance, BothStylesOfAColumn)
{
    const struct {
        SpecTable table;
        const char* sep;
        const char* asWritten;
        const char* units;
    } cases[] = {{column({{0, "2.000"}, {2, "0.05"}, {3, "0.01"}, {7, "2"}}), ".", "0.05% 0.01/ 0.002U", "0.0032U"},
        // A lone reading term keeps its blank; As Written keeps the text as typed.
        {column({{0, "20"}, {2, "0.1"}}), ".", "0.1% ", "0.02U"},
        {column({{0, "20"}, {2, "0.050"}}), ".", "0.050% ", "0.01U"},
        // The test level replaces the range for the reading terms; a zero level leaves only the floor.
        {column({{0, "20"}, {1, "10"}, {2, "0.05"}}), ".", "0.05% ", "0.005U"},
        {column({{0, "20"}, {1, "0"}, {2, "1"}, {7, "3"}}), ".", "1% 3U", "3U"},
        // Nothing but a range; no range at all.
        {column({{0, "20"}}), ".", "", "0U"}, {column({{2, "0.05"}}), ".", "0.05% ", "0"},
        // Zero terms are left out; ppm terms.
        {column({{0, "10"}, {2, "0"}, {3, "0.00"}, {4, "3"}}), ".", "3P% ", "0.00003U"},
        {column({{0, "1.00000000"}, {4, "3"}, {5, "0.2"}}), ".", "3P% 0.2P/ ", "0.0000032U"},
        // Without decimals in the range the digits count whole units of it.
        {column({{0, "200m"}, {2, "0.1"}, {7, "1"}}), ".", "0.1% 1U", "1.2U"},
        {column({{0, "200.0m"}, {2, "0.1"}, {7, "1"}}), ".", "0.1% 0.1U", "0.3U"},
        {column({{0, "200m"}, {6, "50\xC2\xB5"}}), ".", "0.05U", "0.05U"},
        {column({{0, "2,000"}, {2, "0,05"}, {3, "0,01"}, {7, "2"}}), ",", "0,05% 0,01/ 0,002U", "0,0032U"},
        {column({{0, "10.00K"}, {2, "0.1"}, {7, "3"}}), ".", "0.1% 0.03U", "0.04U"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        EXPECT_EQ(calcTolerance(c.table, 0, ToleranceStyle::AsWritten, c.sep), c.asWritten);
        EXPECT_EQ(calcTolerance(c.table, 0, ToleranceStyle::Units, c.sep), c.units);
        EXPECT_EQ(calcAbsTolerance(c.table, 0, c.sep), c.units);
    }
    EXPECT_EQ(absToleranceValue(column({{0, "200.0m"}, {2, "0.1"}, {7, "1"}}), 0, "."), Decimal::parse("0.3"));
    EXPECT_TRUE(absToleranceValue(column({}), 0, ".").isZero());
}

// Terms that cancel, or do not add up exactly in binary, give the exact
// decimal: no noise in the last digits, no floor of noise where the fixed
// term and the counts cancel, and so no needless TOL step.
TEST(Tolerance, TermsAddUpExactly)
{
    const struct {
        SpecTable table;
        const char* sep;
        const char* asWritten;
        const char* units;
    } cases[] = {// 3 % of 0.1925 A is 5.775 mA, less 5.5 mA.
        {column({{0, "550m"}, {1, "0.1925"}, {2, "3"}, {6, "-5.50m"}}), ".", "3% -5.5U", "0.275U"},
        {column({{0, "550m"}, {1, "0,1925"}, {2, "3"}, {6, "-5,50m"}}), ",", "3% -5,5U", "0,275U"},
        {column({{0, "550m"}, {1, "0.1925"}, {4, "30000"}, {6, "-5.50m"}}), ".", "30000P% -5.5U", "0.275U"},
        // Ten counts of the sixth decimal undo the fixed term, in the floor.
        {column({{0, "1.000000"}, {2, "0.25"}, {6, "-10.0\xC2\xB5"}, {7, "10"}}), ".", "0.25% ", "0.0025U"},
        {column({{0, "1,000000"}, {2, "0,25"}, {6, "-10,0\xC2\xB5"}, {7, "10"}}), ",", "0,25% ", "0,0025U"},
        {column({{0, "-6.8"}, {6, "-2.4"}, {7, "24"}}), ".", "", "0U"},
        {column({{0, "-6,8"}, {6, "-2,4"}, {7, "24"}}), ",", "", "0U"},
        // Cancelling down to a few counts, in microamperes and millivolts.
        {column({{0, "-880.000000\xC2\xB5"}, {1, "-88.000\xC2\xB5"}, {6, "-0.000088\xC2\xB5"}, {7, "90"}}), ".",
            "0.000002U", "0.000002U"},
        {column({{0, "40.0000m"}, {6, "-0.4\xC2\xB5"}, {7, "3"}}), ".", "-0.0001U", "-0.0001U"},
        // All four terms against 14 counts; the fixed term far above the rest.
        {column({{0, "-9878"}, {2, "0.087"}, {3, "0.0002"}, {4, "560.1"}, {5, "9"}, {7, "14"}}), ".",
            "0.087% 0.0002/ 560.1P% 9P/ 14U", "-0.2351858U"},
        {column({{0, "4u"}, {2, "61.10"}, {6, "0.7G"}}), ".", "61.10% 700000000U", "700000000.000002U"},
        // Past 15 digits the rest are zeros.
        {column({{0, "151p"}, {3, "6"}, {6, "45G"}}), ",", "6/ 45000000000000000000000U", "45000000000000000000000U"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        EXPECT_EQ(calcTolerance(c.table, 0, ToleranceStyle::AsWritten, c.sep), c.asWritten);
        EXPECT_EQ(calcTolerance(c.table, 0, ToleranceStyle::Units, c.sep), c.units);
    }
}

TEST(Tolerance, FloorIsFixedTermPlusDigits)
{
    const struct {
        const char* range;
        const char* fixed;
        const char* digits;
        const char* sep;
        const char* floor;
    } cases[] = {{"200m", "50\xC2\xB5", "", ".", "0.05U"}, {"20.00", "", "3", ".", "0.03U"},
        {"200", "", "2", ".", "2U"}, {"2", "", "2", ".", "2U"}, {"2.0000", "", "2", ".", "0.0002U"},
        {"2", "1m", "", ".", "0.001U"}, {"200m", "1m", "", ".", "1U"}, {"20", "", "", ".", ""},
        {"20", "0", "0", ".", ""}, {"2,000", "", "5", ",", "0,005U"}, {"2,000", "1m", "5", ",", "0,006U"},
        // A lower-case "k" does not rescale; an upper-case "K" does.
        {"2K", "10", "", ".", "0.01U"}, {"2k", "10", "", ".", "10U"}, {"1.000000M", "", "8", ".", "0.000008U"},
        {"-200.0", "0.3", "", ".", "0.3U"}, {"", "2", "1", ".", "3U"}};
    for (const auto& c : cases)
        EXPECT_EQ(calcFloor(column({{0, c.range}, {6, c.fixed}, {7, c.digits}}), 0, c.sep), c.floor)
            << c.range << " " << c.fixed << " " << c.digits;
}

TEST(FixedOhms, LargestNotAbove)
{
    const struct {
        const char* value;
        const char* reference;
        const char* label;
    } cases[] = {{"150", "7600", "100"}, {"1.95K", "7620", "1.90K"}, {"5M", "7300", "1.00M"}, {"5M", "3302", "1.00M"},
        {"0", "7600", "0"}, {"1.9", "7600", "1.9"}, {"1G", "7600", "100.0M"}, {"1G", "6400", "100.00M"},
        {"10", "6400", "10.00"}, {"999", "7320", "100.00"}, {"1000", "7320", "1.000K"}, {"190.0K", "7600", "190.0K"}};
    for (const auto& c : cases)
        EXPECT_EQ(getFixedOhmsValue(c.value, c.reference, "."), c.label) << c.value << " " << c.reference;
    // Below the first entry there is nothing to return.
    EXPECT_THROW(getFixedOhmsValue("-1", "7600", "."), ProcedureFailure);
    try {
        getFixedOhmsValue("9.9", "7300", ".");
        ADD_FAILURE() << "no failure below 10 ohms";
    } catch (const ProcedureFailure& e) {
        EXPECT_EQ(e.number(), kErrSubscript);
        EXPECT_STREQ(e.what(), "Subscript out of range");
    }
}

TEST(MultGrid, OneDecadeUpWithAsManyDigits)
{
    const struct {
        const char* in;
        const char* sep;
        const char* out;
    } cases[] = {{"2.000", ".", "20.00"}, {"200m", ".", "2.00"}, {"20", ".", "200"}, {"2000", ".", "20.00K"},
        {"1.9", ".", "19"}, {"300m", ".", "3.00"}, {"300", ".", "3.00K"}, {"-2.000", ".", "-20.00"},
        {"100m", ".", "1.00"}, {"10\xC2\xB5", ".", "100\xC2\xB5"}, {"10u", ".", "100\xC2\xB5"},
        {"299.9", ".", "2.999K"}, {"50m", ".", "0.5"}, {"49m", ".", "490m"}, {"1p", ".", "10p"}, {"100p", ".", "1.00n"},
        {"100n", ".", "1.00\xC2\xB5"}, {"100K", ".", "1.00M"}, {"100M", ".", "1.00G"}, {"1G", ".", "10G"},
        {"2,000", ",", "20,00"}, {"1,5m", ",", "15m"}, {"abc", ".", "0"}, {"", ".", "0"}, {"0.000", ".", "0.000"},
        {"5k", ".", "50K"}, {"nan", ".", "0"}, {"-inf", ".", "0"}, {"--5", ".", "0"}, {".", ".", "0"},
        {"1e999", ".", "0.000"}};
    for (const auto& c : cases)
        EXPECT_EQ(multGrid(c.in, c.sep), c.out) << c.in;
    // Too large for a double: read as 0, padded to as many digits as typed.
    const std::string nines(10000, '9');
    EXPECT_EQ(multGrid(nines, ".").substr(0, 3), "0.0");
    EXPECT_EQ(multGrid(nines, ".").size(), 10001u);
    SpecTable t(8);
    t.setCell(RowRange, 0, nines);
    t.setCell(RowDigits, 0, nines);
    EXPECT_EQ(calcTolerance(t, 0, ToleranceStyle::Units, "."), "0");
}

} // namespace
} // namespace kestrel
