// The scope procedure rules the golden texts leave out: the smallest
// procedure, the model rules of the first timebase point, the tolerance
// suffixes, the impedance field texts, one channel on a multi-channel
// standard and the failure paths.
#include "core/app/procedure_inputs.h"
#include "core/i18n/text_lookup.h"
#include "core/scope/scope_generators.h"
#include "support/recording_sink.h"
#include "support/test_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrel {
namespace {

GeneratedProcedure run(const ProcedureInputs& inputs, bool multiChannel = false)
{
    test::RecordingSink sink;
    return multiChannel ? scopeProcedureMultiChannel(inputs, inputs.scope, EnglishLookup{}, sink)
                        : scopeProcedureSingleChannel(inputs, inputs.scope, EnglishLookup{}, sink);
}

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// One channel, the fewest points each list allows.
ProcedureInputs smallest(int reference)
{
    ProcedureInputs in;
    in.page = Page::Scope;
    in.headerDate = "05-Dec-26";
    selectScopeReference(in.scope, reference);
    in.scope.numChannels = 2; // "1"
    in.scope.vertGain1 = 0;   // 50 mv/div
    in.scope.vertGain2 = 5;   // 100 mv/div
    in.scope.sweep1 = 16;     // 20ms/div
    in.scope.sweep2 = 0;      // 50 ms/div
    in.options.measurements = 0;
    return in;
}

// The body of the first point of the fast timebase range, after the step field.
std::string firstTimebasePoint(const std::string& text)
{
    const std::string marker = "is on the middle horizontal graticule line\r\n\r\n";
    const std::size_t at = text.find(marker);
    if (at == std::string::npos)
        return {};
    const std::size_t from = at + marker.size() + 9;
    return text.substr(from, text.find("\r\n", from) - from);
}

TEST(ScopeProcedure, SmallestProcedureHasOnePointPerList)
{
    // 7300 - 300 Mhz: no "M" reset line and no modifier replacement.
    const GeneratedProcedure out = run(smallest(0));
    EXPECT_FALSE(out.failed);
    const std::string& text = out.text;
    EXPECT_TRUE(has(text, "NUMBER OF TESTS:       5\r\nNUMBER OF LINES:       93\r\n"));
    EXPECT_FALSE(has(text, "M7300"));
    EXPECT_TRUE(has(text,
        "  1.015  7300   50    300.0mV        2%                              SC                \r\n"
        "  2.001  7300   100   600mv          2%                              SC                \r\n"));
    EXPECT_TRUE(has(text,
        "  3.008  7300   20    20mT           0.01%                        MK SC    L           \r\n"
        "  4.001  7300   50    50mT           0.01%                        MK SC    L           \r\n"
        "  5.001  HEAD\r\n"));
}

struct TimebaseCase {
    int reference, sweep1;
    const char* accuracy;
    const char* firstPoint;
};

class FirstTimebasePoint : public testing::TestWithParam<TimebaseCase> { };

TEST_P(FirstTimebasePoint, FollowsTheModelRules)
{
    ProcedureInputs in = smallest(GetParam().reference);
    in.scope.sweep1 = GetParam().sweep1;
    in.scope.timebaseAccuracy = GetParam().accuracy;
    EXPECT_EQ(firstTimebasePoint(run(in).text), GetParam().firstPoint);
}

// The goldens run the timebase lists from 2, 5 and 10 ns; these are the
// 1 ns rules and the tolerance texts they leave out.
INSTANTIATE_TEST_SUITE_P(Models, FirstTimebasePoint,
    testing::Values(
        // The 300 MHz heads write 2 ns markers at most and keep the plain modifiers.
        TimebaseCase{0, 0, "0.01", "7300   1     2nT            0.01%                        MK SC    L           "},
        TimebaseCase{2, 0, "0.01", "7320   1     2nT            0.01%                        MK SC    L           "},
        TimebaseCase{5, 0, "0.01", "8240   1     2nT            0.01%                        M4 S6    L           "},
        // The 8600 makes 1 ns itself.
        TimebaseCase{8, 0, "0.01", "8600   1     1nT            0.01%         0.1vpp         M4       L           "},
        // The tolerance is a percentage unless the text says ppm.
        TimebaseCase{0, 16, "0.010", "7300   20    20mT           0.01%                        MK SC    L           "},
        TimebaseCase{0, 16, "25PPM", "7300   20    20mT           25p%                         MK SC    L           "},
        TimebaseCase{0, 16, "10%ppm", "7300   20    20mT           10%                          MK SC    L           "},
        TimebaseCase{0, 16, "", "7300   20    20mT           0%                           MK SC    L           "}),
    // Calibrator, sweep and accuracy: 7300_300_Mhz_20ms_div_25PPM.
    [](const auto& info) {
        const TimebaseCase& c = info.param;
        return test::testName(std::string(kScopeReferences.at(c.reference)) + " " + std::string(kSweep1.at(c.sweep1)) +
            " " + (*c.accuracy ? c.accuracy : "no accuracy"));
    });

TEST(ScopeProcedure, TypedFieldsAreReadAsNumbers)
{
    ProcedureInputs in = smallest(3); // 7320 - 600 Mhz
    ASSERT_TRUE(setImpedanceTest(in.scope, true));
    in.scope.accuracy1MOhm = ""; // an empty accuracy is 0 %
    in.scope.accuracy50Ohm = " 0.50 ";
    in.scope.capacitance = "20.0";
    in.scope.capAccuracy = "5";
    EXPECT_TRUE(has(run(in).text,
        "  3.008  7320         1.000MZ        0%                              ZM    2W          \r\n"
        "# 50 Ohm Impedance\r\n"
        "  3.009  7320         50Z            0.5%                            ZM    2W          \r\n"
        "# Input Capacitance\r\n"
        "  3.010  7320         20pF           5%                              ZM N  2W          \r\n"));
    in.scope.capAccuracy = " ";
    EXPECT_FALSE(has(run(in).text, "Input Capacitance"));

    // A typed risetime limit needs no bandwidth.
    in.scope.bandwidth = "0";
    setRisetimeTest(in.scope, true);
    const GeneratedProcedure out = run(in);
    EXPECT_FALSE(out.failed);
    EXPECT_TRUE(has(out.text, "EVAL         Is \\{Channel 1 risetime <50 ns\\}\r\n"));
}

TEST(ScopeProcedure, OneChannelOnAMultiChannelStandard)
{
    ProcedureInputs in = smallest(6); // 8240 - 5 Channel, "1"
    const std::string text = run(in, true).text;
    EXPECT_TRUE(has(text, "  1.012  DISP         Connect channel 1 of the 8240 to\r\n\r\n\r\n#****"));
    EXPECT_FALSE(has(text, "of the UUT"));
    EXPECT_TRUE(
        has(text, "  1.013  M7320                                                  C1                     \r\n"));
}

// "1" and 399 zeros: beyond a double's range.
const std::string kFourHundredDigitsText = "1" + std::string(399, '0');
const char* const kFourHundredDigits = kFourHundredDigitsText.c_str();

struct FailureCase {
    bool multi;
    int reference, vertGain1;
    const char* bandwidth; // with the risetime limit left to be derived
    const char* message;
    const char* lastLines; // what was written stays, without header or closing
};

class ScopeFailure : public testing::TestWithParam<FailureCase> { };

TEST_P(ScopeFailure, ReportsAndKeepsTheTextSoFar)
{
    const FailureCase& c = GetParam();
    ProcedureInputs in = smallest(c.reference);
    in.scope.vertGain1 = c.vertGain1;
    in.scope.bandwidth = c.bandwidth;
    setRisetimeTest(in.scope, true);
    in.scope.risetime.clear();
    test::RecordingSink sink;
    const GeneratedProcedure out = c.multi ? scopeProcedureMultiChannel(in, in.scope, EnglishLookup{}, sink)
                                           : scopeProcedureSingleChannel(in, in.scope, EnglishLookup{}, sink);
    EXPECT_TRUE(out.failed);
    EXPECT_EQ(sink.messages, std::vector<std::string>{c.message});
    EXPECT_TRUE(out.text.starts_with("\r\n\r\n\r\n# System Flags\r\n"));
    EXPECT_TRUE(out.text.ends_with(c.lastLines)) << out.text;
}

INSTANTIATE_TEST_SUITE_P(Paths, ScopeFailure,
    testing::Values(
        // An amplitude index past the six-entry table.
        FailureCase{false, 0, 6, "200", "Error: Single_Channel_Scope Error 9",
            "  1.014  DISP         Align the trace to the bottom graticle line\r\n\r\n"},
        // A zero or empty bandwidth cannot give a risetime limit.
        FailureCase{false, 9, 0, "0", "Error: Single_Channel_Scope Error 11", "waveform is on the 100% point\r\n\r\n"},
        FailureCase{false, 0, 0, "", "Error: Single_Channel_Scope Error 11", "waveform is on the 100% point\r\n\r\n"},
        FailureCase{true, 9, 0, "0", "Error: Scope Division by zero", "waveform is on the 100% point\r\n\r\n"},
        // A bandwidth beyond a double's range reads as 0 but is no zero: it is out of range.
        FailureCase{false, 9, 0, kFourHundredDigits, "Error: Single_Channel_Scope Error 6",
            "waveform is on the 100% point\r\n\r\n"},
        FailureCase{true, 9, 0, kFourHundredDigits, "Error: Scope Bandwidth out of range",
            "waveform is on the 100% point\r\n\r\n"}),
    // Generator, calibrator, gain index and bandwidth:
    // Single_7300_300_Mhz_gain_6_bandwidth_200.
    [](const auto& info) {
        const FailureCase& c = info.param;
        const std::string_view bandwidth = c.bandwidth;
        const std::string bandwidthName = bandwidth.empty() ? "none"
            : bandwidth.size() > 12                         ? std::to_string(bandwidth.size()) + " digits"
                                                            : std::string(bandwidth);
        return test::testName(std::string(c.multi ? "Multi" : "Single") + " " +
            std::string(kScopeReferences.at(c.reference)) + " gain " + std::to_string(c.vertGain1) + " bandwidth " +
            bandwidthName);
    });

} // namespace
} // namespace kestrel
