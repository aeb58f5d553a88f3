// Meter generator rules the golden procedures do not reach: the 7300's own
// limits, the edges of the limit and flag checks, the amplifier flags, the
// temperature scale and sensor types, the comma locale, and sections that
// are left out or cut short.
#include "core/app/create.h"

#include "support/recording_sink.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

using F = MeterFunction;

struct Cells {
    F function;
    int column;
    std::vector<std::pair<int, std::string>> rows;
};

struct MeterCase {
    const char* name;
    const char* reference;
    std::vector<Cells> cells;
    std::vector<std::string> expected; // consecutive lines; "..." stands for any lines between
    void (*adjust)(ProcedureInputs&) = nullptr;
};
void PrintTo(const MeterCase& c, std::ostream* os) { *os << c.name; }

// A calibrator step: number field, two blanks, the 68-column body with each
// value at its body column (FSC 1, RANGE 7, NOMINAL 14, TOLERANCE 29, MOD1 43,
// MOD2 to 60, 3 at 61) and "2W" at 67.
std::string step(const std::string& number, std::initializer_list<std::pair<std::size_t, std::string>> fields)
{
    std::string body(68, ' ');
    for (const auto& [column, value] : fields)
        body.replace(column - 1, value.size(), value);
    body.replace(66, 2, "2W");
    return std::string(7 - number.size(), ' ') + number + "  " + body;
}

class MeterGenerator : public ::testing::TestWithParam<MeterCase> { };

TEST_P(MeterGenerator, WritesTheExpectedLines)
{
    const MeterCase& c = GetParam();
    ProcedureInputs in;
    in.selections.reference = c.reference;
    in.options.functionMessages = false;
    if (c.adjust)
        c.adjust(in);
    for (const Cells& cells : c.cells)
        for (const auto& [row, text] : cells.rows)
            in.meter.table(cells.function).setCell(row, cells.column, text);
    test::RecordingSink sink;
    const CreateResult result = createProcedure(in, EnglishLookup{}, sink);
    ASSERT_EQ(result.status, CreateStatus::Created) << result.text;
    const std::string text = "\n" + result.text;
    std::size_t at = 0;
    std::string block = "\n";
    for (std::size_t i = 0; i <= c.expected.size(); ++i) {
        if (i < c.expected.size() && c.expected[i] != "...") {
            block += c.expected[i] + "\r\n";
            continue;
        }
        at = text.find(block, at);
        ASSERT_NE(at, std::string::npos) << "missing:" << block << "in:\n" << result.text;
        at += block.size() - 1;
        block = "\n";
    }
}

const std::string kDegree = "\xC2\xB0";
void withAmplifiers(ProcedureInputs& in) { in.has3711 = in.has7625 = true; }
void withComma(ProcedureInputs& in) { in.decimalSeparator = ","; }
void withUnits(ProcedureInputs& in) { in.options.toleranceStyle = ToleranceStyle::Units; }
void withFahrenheitAndComma(ProcedureInputs& in)
{
    in.selections = {in.selections.reference, "K", "100 ohm Pt 3926", kDegree + "F"};
    in.decimalSeparator = ",";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, MeterGenerator, ::testing::Values(
    MeterCase{"EmptyFirstRangeLeavesAFunctionOutAndAGapEndsOne", "7300",
        {{F::Dcv, 1, {{RowRange, "2"}}}, {F::Acv, 0, {{RowRange, "2"}}}, {F::Acv, 2, {{RowRange, "20"}}}},
        {"  1.007  Head   \\{AC Volts Test\\}", "#------------------------------",
         step("1.008", {{1, "7300"}, {8, "2"}, {14, "2V"}, {43, "1KH"}, {58, "SI"}}), "", "", "", "  2.005  HEAD"}},
    MeterCase{"BlankLevelIsTheRangeAndTheLimitIsNotReduced", "7300",
        {{F::Dcv, 0, {{RowRange, "1100"}, {RowLevel, "   "}}}, {F::Dcv, 1, {{RowRange, "1000"}, {RowLevel, "-1200"}}}},
        {step("1.008", {{1, "7300"}, {8, "1100"}, {14, "1100V"}}),
         step("2.001", {{1, "7300"}, {8, "1000"}, {14, "-1200V"}})}},
    MeterCase{"The7320HighCurrentFlagAbove2999mA", "7320",
        {{F::Dci, 0, {{RowRange, "3"}, {RowLevel, "2.999"}}}, {F::Dci, 1, {{RowRange, "10"}, {RowLevel, "3"}}}},
        {step("1.008", {{1, "7320"}, {8, "3"}, {14, "2.999A"}}),
         step("2.001", {{1, "7320"}, {8, "10"}, {14, "3A"}, {61, "HC"}})}},
    MeterCase{"The7300HasNoHighCurrentAndStopsAt10999mA", "7300",
        {{F::Dci, 0, {{RowRange, "10"}, {RowLevel, "10.999"}}}, {F::Dci, 1, {{RowRange, "20"}, {RowLevel, "11"}}}},
        {step("1.008", {{1, "7300"}, {8, "10"}, {14, "10.999A"}}), "",
         "# Current reduced from 11A to 10.999A due to 7300 limits",
         step("2.001", {{1, "7300"}, {8, "20"}, {14, "10.999"}})}},
    // "0.05% 0.0035/ " is 14 characters, "0.05% 0.035/ " 13.
    MeterCase{"ToleranceOfFourteenCharactersGetsItsOwnStep", "7300",
        {{F::Dcv, 0, {{RowRange, "10"}, {RowReadingPct, "0.05"}, {RowRangePct, "0.0035"}}},
         {F::Dcv, 1, {{RowRange, "10"}, {RowReadingPct, "0.05"}, {RowRangePct, "0.035"}}}},
        {"", "  1.008  TOL 0.05% 0.0035/ ", step("1.009", {{1, "7300"}, {8, "10"}, {14, "10V"}, {29, "TOL"}}),
         step("2.001", {{1, "7300"}, {8, "10"}, {14, "10V"}, {29, "0.05% 0.035/ "}})}},
    MeterCase{"The7300AcLimits", "7300",
        {{F::Acv, 0, {{RowRange, "750"}, {RowLevel, "700"}, {RowFrequency, "50K"}}},
         {F::Aci, 0, {{RowRange, "1"}, {RowLevel, "500m"}, {RowFrequency, "6K"}}}},
        {"", "# Voltage reduced from 700 volts to 32.0 volts due to 7300 limits",
         step("1.008", {{1, "7300"}, {8, "750"}, {14, "32.0V"}, {43, "50KH"}, {58, "SI"}}), "...", "",
         "# Current reduced from 500mA to 330mA due to 7300 limits",
         step("2.002", {{1, "7300"}, {8, "1"}, {14, "330mA"}, {43, "6KH"}, {58, "SI"}})}},
    MeterCase{"The7300ResistanceAndCapacitanceLimits", "7300",
        {{F::Ohm, 0, {{RowRange, "1.5K"}}}, {F::Ohm, 1, {{RowRange, "400M"}}},
         {F::Cap, 0, {{RowRange, "10m"}, {RowLevel, "5m"}}}},
        {step("1.008", {{1, "7300"}, {8, "1.5"}, {14, "1.5KZ"}}), "",
         "# Resistance reduced from 400MZ to 330000000Z due to 7300 limits",
         step("2.001", {{1, "7300"}, {8, "400"}, {14, "329.999MZ"}}), "...",
         "# Capacitance reduced from 5mf to 0.0011f due to 7300 limits",
         step("3.002", {{1, "7300"}, {8, "10"}, {14, "1100uf"}})}},
    MeterCase{"CommaLocaleMicroSignAndRangeBelowOne", "7300",
        {{F::Dci, 0, {{RowRange, "200.0\xC2\xB5"}, {RowReadingPct, "0.05"}, {RowDigits, "3"}}},
         {F::Dci, 1, {{RowRange, "0.2"}}}},
        {step("1.008", {{1, "7300"}, {8, "200"}, {14, "200.0uA"}, {29, "0.05% 0.3U"}}),
         step("2.001", {{1, "7300"}, {7, " .2"}, {14, "0.2A"}})}, withComma},
    MeterCase{"TemperatureScaleAndSensorTypesUnderACommaLocale", "7300",
        {{F::Tc, 0, {{RowRange, "-200.0"}, {RowReadingPct, "0.2"}, {RowFixed, "0.3"}}},
         {F::Rtd, 0, {{RowRange, "100"}, {RowLevel, "0.5"}}}},
        {step("1.008", {{1, "7300"}, {8, "200"}, {14, "-200.0degF"}, {29, "0.2% 0.3U"}, {58, "_K TC"}}), "...",
         step("2.002", {{1, "7300"}, {8, "100"}, {14, "0.5degF"}, {43, "R2"}})}, withFahrenheitAndComma},
    MeterCase{"The3711BoostsCurrentFrom1999mAAndIsNamedInThePreamble", "3300",
        {{F::Dci, 0, {{RowRange, "10"}, {RowLevel, "5"}}}, {F::Aci, 0, {{RowRange, "2"}, {RowLevel, "1.999"}}}},
        {"# ", "# Procedure is written to use the configured 7625A.", "", "# System Flags", "...",
         step("1.008", {{1, "3300"}, {8, "10"}, {14, "5A"}, {62, "BC"}}), "...",
         step("2.002", {{1, "3300"}, {8, "2"}, {14, "1.999A"}, {43, "1KH"}, {62, "BC"}})}, withAmplifiers},
    MeterCase{"Family3xxxTolStepComesBeforeTheManualResistanceSteps", "3302",
        {{F::Ohm, 0, {{RowRange, "5"}, {RowReadingPct, "0.05"}, {RowRangePct, "0.0035"}}}},
        {"  1.008  TOL 0.05% 0.0035/ ", "  1.009  DISP         Apply a 5 ohm resistor across the UUT input",
         "  1.010  MEMI         Enter UUT Reading", "  1.011  MEMCX        5Z             0.05% 0.0035/ "}},
    // 1 % of 4.70n plus 3 counts of 0.01n, in nanofarads.
    MeterCase{"ManualLimitsUnderACommaLocaleInFahrenheit", "3302",
        {{F::Rtd, 0, {{RowRange, "100.0"}, {RowReadingPct, "0.05"}}},
         {F::Cap, 0, {{RowRange, "5.00n"}, {RowLevel, "4.70n"}, {RowReadingPct, "1.0"}, {RowDigits, "3"}}}},
        {"  1.008  MESS         Set The Temperature Standards To 100,0" + kDegree + "f", "  1.008  MESS",
         "  1.008  EVAL         Does UUT read  between 99,95 " + kDegree + "F and 100,05 " + kDegree + "F", "...",
         "  2.002  MESS         Set The Capacitance Standards To 5,00nf", "  2.002  MESS",
         "  2.002  EVAL         Does UUT read between 4,623nf and 4,777nf"}, withFahrenheitAndComma},
    // 5.775 mA less 5.5 mA: exactly 0.275 mA, short enough for the column.
    MeterCase{"TermsThatCancelFitTheToleranceColumn", "3406",
        {{F::Dci, 0, {{RowRange, "550m"}, {RowLevel, "0.1925"}, {RowReadingPct, "3"}, {RowFixed, "-5.50m"}}}},
        {"#-----------------------------", step("1.008", {{1, "3406"}, {8, "550"}, {14, "0.1925A"}, {29, "0.275U"}})},
        withUnits},
    // 6.04 % of 4.25 plus 4 is 4.2567: the lower limit is just below zero.
    MeterCase{"ManualLimitsOfTermsThatCancel", "3406",
        {{F::Tc, 0, {{RowRange, "4.25"}, {RowReadingPct, "6.04"}, {RowFixed, "4"}}},
         {F::Cap, 0, {{RowRange, "4.25"}, {RowReadingPct, "6.04"}, {RowFixed, "4"}}}},
        {"  1.008  EVAL         Does UUT read  between -0,0067 " + kDegree + "C and 8,5067 " + kDegree + "C", "...",
         "  2.002  EVAL         Does UUT read between -0,0067f and 8,5067f"}, withComma},
    MeterCase{"The7625TakesAcVoltsFrom220", "7600",
        {{F::Acv, 0, {{RowRange, "1000"}, {RowLevel, "220"}}}, {F::Acv, 1, {{RowRange, "1000"}, {RowLevel, "219.99"}}}},
        {step("1.008", {{1, "7600"}, {8, "1000"}, {14, "220V"}, {43, "1KH"}, {62, "B1"}}),
         step("2.001", {{1, "7600"}, {8, "1000"}, {14, "219.99V"}, {43, "1KH"}})}, withAmplifiers},
    MeterCase{"Family64xxAcCurrentAndCapacitanceLimits", "6400",
        {{F::Aci, 0, {{RowRange, "30"}, {RowLevel, "25"}, {RowFrequency, "60"}}},
         {F::Cap, 0, {{RowRange, "100m"}, {RowLevel, "50m"}}}},
        {"", "# Current reduced from 25A to 20A due to 6400 limits",
         step("1.008", {{1, "6400"}, {8, "30"}, {14, "20.000"}, {43, "60H"}, {58, "SI"}}), "...", "",
         "# Capacitance reduced from 50mf to 0.04f due to 6400 limits",
         step("2.002", {{1, "6400"}, {8, "100"}, {14, "40.000mF"}})}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

} // namespace
} // namespace kestrel
