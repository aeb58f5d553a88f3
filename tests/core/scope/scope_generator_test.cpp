// The scope procedure rules one at a time: the smallest procedure written
// out in full, then each model rule, section switch and failure path.
#include "core/i18n/text_lookup.h"
#include "core/scope/scope_generators.h"
#include "support/recording_sink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrel {
namespace {

struct Outcome {
    GeneratedProcedure result;
    std::vector<std::string> messages;
};

Outcome single(const ProcedureInputs& inputs)
{
    test::RecordingSink sink;
    GeneratedProcedure result = scopeProcedureSingleChannel(inputs, EnglishLookup{}, sink);
    return {result, sink.messages};
}

Outcome multi(const ProcedureInputs& inputs)
{
    test::RecordingSink sink;
    GeneratedProcedure result = scopeProcedureMultiChannel(inputs, EnglishLookup{}, sink);
    return {result, sink.messages};
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2)
        out.push_back(text.substr(from, at - from));
    return out;
}

std::size_t countOf(const std::string& text, const std::string& part)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

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

// The first point of the fast timebase range.
std::string firstTimebasePoint(const std::string& text)
{
    const std::vector<std::string> all = lines(text);
    for (std::size_t i = 0; i + 2 < all.size(); ++i)
        if (all[i].find("is on the middle horizontal graticule line") != std::string::npos)
            return all[i + 2];
    return {};
}

TEST(ScopeProcedure, SmallestSingleChannelProcedureInFull)
{
    const Outcome run = single(smallest(0)); // 7300 - 300 Mhz
    EXPECT_FALSE(run.result.failed);
    EXPECT_TRUE(run.messages.empty());
    const std::string expected =
    "INSTRUMENT:            Enter Name\r\n"
    "DATE:                  05-Dec-26\r\n"
    "AUTHOR:                Enter your name\r\n"
    "REVISION:              1.0\r\n"
    "ADJUSTMENT THRESHOLD:  70%\r\n"
    "NUMBER OF TESTS:       5\r\n"
    "NUMBER OF LINES:       93\r\n"
    "=============================================================================\r\n"
    " STEP    FSC    RANGE NOMINAL        TOLERANCE     MOD1        MOD2  3  4 CON \r\n"
    "\r\n"
    " Scope Procedure by Kestrel\r\n"
    "\r\n"
    "\r\n"
    "\r\n"
    "# System Flags\r\n"
    "# -------------\r\n"
    "  1.001  ASK-                                         F                    V\r\n"
    "  1.002  ASK+           K\r\n"
    "\r\n"
    "\r\n"
    "# Warmup\r\n"
    "# ------\r\n"
    "  1.003  HEAD         Warmup\r\n"
    "  1.004  DISP         Be sure UUT is warmed up\r\n"
    "\r\n"
    "# Self-Test\r\n"
    "# ----------\r\n"
    "  1.005  HEAD         Self-Test\r\n"
    "  1.006  DISP         Perform Self-test\r\n"
    "  1.007  EVAL         \\{Did self-test pass\\}\r\n"
    "\r\n"
    "# Signal Path Compensation\r\n"
    "# -----------------------\r\n"
    "  1.008  HEAD         Signal Path Compensation\r\n"
    "  1.009  RSLT         =Signal Path compensation performed\r\n"
    "\r\n"
    "\r\n"
    "# Reset Standard\r\n"
    "# ---------------\r\n"
    "  1.010  7300         *\r\n"
    "\r\n"
    "# Trigger Test\r\n"
    "# -------------\r\n"
    "  1.011  7300         300mv                        1KH            ZQ S                 \r\n"
    "  1.012  DISP         Adjust the scope for a stable display\r\n"
    "\r\n"
    "\r\n"
    "\r\n"
    "\r\n"
    "#****************************************************************************\r\n"
    "#                                   Channel 1\r\n"
    "#****************************************************************************\r\n"
    "\r\n"
    "# Connection\r\n"
    "  1.013  DISP         Use an unterminated COAX cable to connect\r\n"
    "  1.013  DISP         7300 to UUT channel 1\r\n"
    "\r\n"
    "\r\n"
    "# Nominal set for 6 division deflection\r\n"
    "\r\n"
    "  1.013  HEAD         \\{Vertical\\}\r\n"
    "#---------------------------------------------\r\n"
    "\r\n"
    "  1.014  DISP         Align the trace to the bottom graticle line\r\n"
    "\r\n"
    "  1.015  7300   50    300.0mV        2%                              SC                \r\n"
    "  2.001  7300   100   600mv          2%                              SC                \r\n"
    "\r\n"
    "\r\n"
    "  3.001  HEAD         \\{Bandwidth\\}\r\n"
    "#-------------------------------------\r\n"
    "  3.002  DISP         Insert a 50 Ohm terminator between the 7300 and the UUT\r\n"
    "  3.002  DISP         Set channel 1 gain to 5mv/Div\r\n"
    "  3.002  DISP         Set timebase to 5us/div\r\n"
    "\r\n"
    "  3.003  7300         30mVpp                       50kH           LS SC S  L\r\n"
    "  3.004  DISP         Adjust the scope for a stable display @ 50Khz\r\n"
    "  3.005  7300         30mVpp                      200MH           LS SC S  L\r\n"
    "  3.006  EVAL         \\{Is the amplitude > 4.2 divisions @ 200 Mhz?\\}\r\n"
    "\r\n"
    "\r\n"
    "  3.007  HEAD         \\{Timebase Base Test\\}\r\n"
    "#------------------------------------------\r\n"
    "  3.008  DISP         Set Channel 1 gain to 0.5v/Div\r\n"
    "  3.008  DISP         Set timebase to 50us/Div\r\n"
    "  3.008  7300         0.1mT                                       MK SC S  L\r\n"
    "\r\n"
    "  3.008  DISP         Adjust the scope for a stable display\r\n"
    "  3.008  DISP         Adjust the Ypos so the top of the marker\r\n"
    "  3.008  DISP         is on the middle horizontal graticule line\r\n"
    "\r\n"
    "  3.008  7300   20    20mT           0.01%                        MK SC    L           \r\n"
    "  4.001  7300   50    50mT           0.01%                        MK SC    L           \r\n"
    "  5.001  HEAD\r\n"
    "  5.002  DISP         !               P R O C E D U R E\r\n"
    "  5.002  DISP         !               C O M P L E T E D\r\n"
    "\r\n";
    EXPECT_EQ(run.result.text, expected);
}

TEST(ScopeProcedure, HeaderCountsTheClosingTestButNotItsLines)
{
    ProcedureInputs in = smallest(3);
    in.scope.numChannels = 1; // two channels
    setRisetimeTest(in.scope, true);
    const Outcome run = single(in);
    const std::vector<std::string> all = lines(run.result.text);
    // Body: after the title line, up to the line before the closing HEAD.
    std::size_t head = 0;
    for (std::size_t i = 0; i < all.size(); ++i)
        if (all[i].size() > 9 && all[i].substr(9) == "HEAD")
            head = i;
    ASSERT_GT(head, 11u);
    const std::size_t bodyLines = head - 11;
    EXPECT_EQ(all[6], "NUMBER OF LINES:       " + std::to_string(bodyLines + 11));
    const std::string closingNumber = all[head].substr(0, 7);
    const std::string closingTest = closingNumber.substr(closingNumber.find_first_not_of(' '));
    EXPECT_EQ(all[5], "NUMBER OF TESTS:       " + closingTest.substr(0, closingTest.find('.')));
    EXPECT_EQ(closingTest.substr(closingTest.find('.')), ".001");
    EXPECT_EQ(all.back(), ""); // the text ends with an empty line
}

TEST(ScopeProcedure, SixHundredMegahertzHeadRewritesModifiers)
{
    // The 300 MHz heads keep "SC" and "MK"; the others take "S6" and "M1".
    const std::string plain = single(smallest(0)).result.text;   // 7300 - 300 Mhz
    const std::string head600 = single(smallest(1)).result.text; // 7300 - 600 Mhz
    EXPECT_GT(countOf(plain, " SC "), 0u);
    EXPECT_GT(countOf(plain, " MK "), 0u);
    EXPECT_EQ(countOf(plain, "M7300"), 0u);
    EXPECT_EQ(countOf(head600, " SC "), 0u);
    EXPECT_EQ(countOf(head600, " MK "), 0u);
    EXPECT_EQ(countOf(head600, " S6 "), countOf(plain, " SC "));
    EXPECT_EQ(countOf(head600, " M1 "), countOf(plain, " MK "));

    const std::string head7320at300 = single(smallest(2)).result.text;
    EXPECT_GT(countOf(head7320at300, " SC "), 0u);
    EXPECT_EQ(countOf(single(smallest(4)).result.text, " SC "), 0u); // 7320 - 1.1 Ghz
}

TEST(ScopeProcedure, OneNanosecondOn8240UsesTwoNanosecondMarkersAndItsModifiers)
{
    ProcedureInputs in = smallest(5); // 8240 - 1 Channel
    in.scope.sweep1 = 0;              // 1 ns/div
    const std::string text = single(in).result.text;
    EXPECT_EQ(firstTimebasePoint(text),
              "  3.008  8240   1     2nT            0.01%                        M4 S6    L           ");
    EXPECT_NE(text.find("  3.008  8240         0.1mT                                       M1 S6 S  L\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("  1.016  8240   50    300.0mV        2%                              S6                \r\n"),
              std::string::npos);
    EXPECT_NE(text.find("  1.011  M8240        *\r\n"), std::string::npos);
}

TEST(ScopeProcedure, The8600DropsScopeModeAndTerminator)
{
    const std::string text = single(smallest(8)).result.text; // 8600 - 1 Channel
    EXPECT_NE(text.find("  1.010  8600         *\r\n  1.011  M8600        *\r\n"), std::string::npos);
    EXPECT_EQ(countOf(text, " SC "), 0u);
    EXPECT_EQ(countOf(text, " MK "), 0u);
    EXPECT_NE(text.find("8600         0.1mT                        0.1Vpp         M2    S  L\r\n"),
              std::string::npos);
    EXPECT_EQ(countOf(text, "terminator"), 0u);
    EXPECT_NE(text.find("DISP         8600 channel 1 to UUT channel  1\r\n"), std::string::npos);
}

struct TimebaseCase {
    int reference;
    int sweep1;
    const char* firstPoint; // body of the first fast point, after the step field
};

class FirstTimebasePoint : public testing::TestWithParam<TimebaseCase> {};

TEST_P(FirstTimebasePoint, FollowsTheModelRules)
{
    const TimebaseCase& c = GetParam();
    ProcedureInputs in = smallest(c.reference);
    in.scope.sweep1 = c.sweep1;
    const std::string point = firstTimebasePoint(single(in).result.text);
    ASSERT_GT(point.size(), 9u);
    EXPECT_EQ(point.substr(9), c.firstPoint);
}

INSTANTIATE_TEST_SUITE_P(
    Models, FirstTimebasePoint,
    testing::Values(
        // 7300 - 300 Mhz: 2 ns markers at most, no other change.
        TimebaseCase{0, 0, "7300   1     2nT            0.01%                        MK SC    L           "},
        // 7300 - 600 Mhz: marker mode 4 below 75 ns.
        TimebaseCase{1, 3, "7300   10    10nT           0.01%                        M4 S6    L           "},
        TimebaseCase{1, 4, "7300   100   100nT          0.01%                        M1 S6    L           "},
        // 7320 - 300 Mhz keeps the plain modifiers; its 1 ns still becomes 2 ns.
        TimebaseCase{2, 0, "7320   1     2nT            0.01%                        MK SC    L           "},
        TimebaseCase{3, 2, "7320   5     5nT            0.01%                        M4 S6    L           "},
        TimebaseCase{5, 4, "8240   100   100nT          0.01%                        M1 S6    L           "},
        // 6400: 0.2 Vpp markers, 2 ns for 1 ns, nothing else.
        TimebaseCase{7, 0, "6400   1     2nT            0.01%         0.2vpp         MK SC    L           "},
        TimebaseCase{7, 1, "6400   2     2nT            0.01%         0.2vpp         MK SC    L           "},
        // 8600: mode 4 up to 9 ns, mode 2 above, 1 ns stays 1 ns.
        TimebaseCase{8, 0, "8600   1     1nT            0.01%         0.1vpp         M4       L           "},
        TimebaseCase{8, 2, "8600   5     5nT            0.01%         0.1vpp         M4       L           "},
        TimebaseCase{8, 3, "8600   10    10nT           0.01%         0.1vpp         M2       L           "},
        // Microseconds and milliseconds.
        TimebaseCase{0, 5, "7300   1     1uT            0.01%                        MK SC    L           "},
        TimebaseCase{0, 13, "7300   2     2mT            0.01%                        MK SC    L           "}));

struct ToleranceCase {
    const char* accuracy;
    const char* tolerance;
};

class TimebaseTolerance : public testing::TestWithParam<ToleranceCase> {};

TEST_P(TimebaseTolerance, IsPercentUnlessPpm)
{
    ProcedureInputs in = smallest(0);
    in.scope.timebaseAccuracy = GetParam().accuracy;
    const std::string point = firstTimebasePoint(single(in).result.text);
    ASSERT_GT(point.size(), 9u + 28u);
    const std::string body = point.substr(9);
    EXPECT_EQ(body.substr(28, body.find(' ', 28) - 28), GetParam().tolerance);
}

INSTANTIATE_TEST_SUITE_P(Suffixes, TimebaseTolerance,
                         testing::Values(ToleranceCase{"0.01", "0.01%"}, ToleranceCase{"0.010", "0.01%"},
                                         ToleranceCase{"25ppm", "25p%"}, ToleranceCase{"25PPM", "25p%"},
                                         ToleranceCase{"0.5%", "0.5%"}, ToleranceCase{"10%ppm", "10%"},
                                         ToleranceCase{"", "0%"}));

TEST(ScopeProcedure, VerticalPointsRunTowardsTheMiddleSettings)
{
    ProcedureInputs in = smallest(0);
    in.scope.vertGain1 = 2;         // 10 mv/div
    in.scope.vertGain2 = 3;         // 0.5 v/div
    in.scope.verticalAccuracy = "1.50";
    const std::string text = single(in).result.text;
    EXPECT_NE(text.find("  1.015  7300   10    60.0mV         1.5%                            SC                \r\n"
                        "  2.001  7300   20    120.0mV        1.5%                            SC                \r\n"
                        "  3.001  7300   50    300.0mV        1.5%                            SC                \r\n"
                        "  4.001  7300   100   600mv          1.5%                            SC                \r\n"
                        "  5.001  7300   200   1200mv         1.5%                            SC                \r\n"
                        "  6.001  7300   .5    3.0V           1.5%                            SC                \r\n"
                        "\r\n\r\n"
                        "  7.001  HEAD         \\{Bandwidth\\}\r\n"),
              std::string::npos);
}

TEST(ScopeProcedure, RisetimeLimitTypedOrFromBandwidth)
{
    ProcedureInputs in = smallest(0);
    in.scope.bandwidth = "300";
    setRisetimeTest(in.scope, true);
    in.scope.risetime.clear();
    EXPECT_NE(single(in).result.text.find("EVAL         Is \\{Channel 1 risetime <1.1667 ns\\}\r\n"),
              std::string::npos);
    in.scope.risetime = "5";
    EXPECT_NE(single(in).result.text.find("EVAL         Is \\{Channel 1 risetime <5 ns\\}\r\n"), std::string::npos);
    in.scope.risetime.clear();
    in.scope.bandwidth = "2240";
    EXPECT_NE(single(in).result.text.find("risetime <0.1563 ns"), std::string::npos);
}

TEST(ScopeProcedure, RisetimeSectionEndsItsTest)
{
    ProcedureInputs in = smallest(0);
    setRisetimeTest(in.scope, true);
    const std::string text = single(in).result.text;
    EXPECT_NE(text.find("  3.007  HEAD         \\{Risetime\\}\r\n"
                        "#-------------------------------------\r\n"
                        "  3.008  DISP         Set coupling to DC\r\n"
                        "  3.008  DISP         Set the timebase on its fastest position\r\n"
                        "  3.008  DISP         Turn the Magnifier ON\r\n"
                        "  3.008  DISP         Set trigger slope to +\r\n"
                        "  3.008  DISP         Align the trace to the bottom graticle line\r\n"
                        "  3.009  7300         100mVpp                      10kH           ED SC S  L\r\n"
                        "\r\n"
                        "  3.010  MESS         Adjust the x-position knob to view the leading edge\r\n"
                        "  3.011  MESS\r\n"
                        "  3.012  MESS         Using the Y-position knob\r\n"
                        "  3.013  MESS         set the bottom edge to the 0% point\r\n"
                        "  3.014  MESS\r\n"
                        "  3.015  MESS         Adjust the amplitude so the top of\r\n"
                        "  3.015  MESS         waveform is on the 100% point\r\n"
                        "\r\n"
                        "  3.015  EVAL         Is \\{Channel 1 risetime <50 ns\\}\r\n"
                        "\r\n"
                        "\r\n"
                        "\r\n"
                        "  4.001  HEAD         \\{Timebase Base Test\\}\r\n"),
              std::string::npos);
}

TEST(ScopeProcedure, ImpedanceSectionSingleChannel)
{
    ProcedureInputs in = smallest(3); // 7320 - 600 Mhz
    ASSERT_TRUE(setImpedanceTest(in.scope, true));
    in.scope.accuracy1MOhm = "";     // an empty accuracy is 0 %
    in.scope.accuracy50Ohm = " 0.50 ";
    in.scope.capacitance = "20.0";
    in.scope.capAccuracy = "5";
    const std::string text = single(in).result.text;
    EXPECT_NE(text.find("  3.007  HEAD         \\{Input Impedance Channel 1 \\}\r\n"
                        "#----------------------------------------------\r\n"
                        "# 1M Ohm Impedance\r\n"
                        "  3.008  7320         1.000MZ        0%                              ZM    2W          \r\n"
                        "# 50 Ohm Impedance\r\n"
                        "  3.009  7320         50Z            0.5%                            ZM    2W          \r\n"
                        "# Input Capacitance\r\n"
                        "  3.010  7320         20pF           5%                              ZM N  2W          \r\n"
                        "\r\n\r\n"
                        "  3.011  HEAD         \\{Timebase Base Test\\}\r\n"),
              std::string::npos);

    in.scope.capAccuracy = " ";
    EXPECT_EQ(countOf(single(in).result.text, "Input Capacitance"), 0u);
}

TEST(ScopeProcedure, ConnectionBlockFollowsTheMessageOptions)
{
    ProcedureInputs in = smallest(0);
    // Mode messages wanted but no instruction records: no switch step, the
    // connection block is still written.
    in.options.functionMessages = true;
    in.options.autoranging = true;
    std::string text = single(in).result.text;
    EXPECT_EQ(countOf(text, "Turn off automatic"), 0u);
    EXPECT_NE(text.find("# Connection\r\n"
                        "  1.013  DISP         Use an unterminated COAX cable to connect\r\n"
                        "  1.013  DISP         7300 to UUT channel 1\r\n"
                        "\r\n\r\n# Nominal set for 6 division deflection\r\n\r\n"
                        "  1.013  HEAD         \\{Vertical\\}\r\n"),
              std::string::npos);

    // Without autoranging the second line is a step of its own.
    in.options.autoranging = false;
    text = single(in).result.text;
    EXPECT_NE(text.find("  1.013  DISP         7300 to UUT channel 1\r\n"), std::string::npos);
    EXPECT_NE(text.find("  1.014  HEAD         \\{Vertical\\}\r\n"), std::string::npos);

    in.options.functionMessages = false;
    EXPECT_EQ(countOf(single(in).result.text, "# Connection"), 0u);

    // With records, both switches come before the procedure proper.
    in.options.functionMessages = true;
    in.options.autoranging = true;
    in.connections.append({"dcv", "0", std::string("probe.bmp"), std::nullopt});
    text = single(in).result.text;
    EXPECT_NE(text.find("\r\n# Turn off automatic mode messages\r\n"
                        "  1.003  ASK-                                                              W\r\n"
                        "\r\n# Turn off automatic range messages\r\n"
                        "  1.004  ASK-   R\r\n"),
              std::string::npos);
}

TEST(ScopeProcedure, TwoChannelsShareTriggerAndTimebase)
{
    ProcedureInputs in = smallest(0);
    in.scope.numChannels = 1; // "2 "
    const std::string text = single(in).result.text;
    EXPECT_EQ(countOf(text, "# Trigger Test"), 1u);
    EXPECT_EQ(countOf(text, "Timebase Base Test"), 1u);
    EXPECT_EQ(countOf(text, "\\{Vertical\\}"), 2u);
    EXPECT_LT(text.find("# Trigger Test"), text.find("Channel 1"));
    EXPECT_LT(text.find("Channel 2"), text.find("Timebase Base Test"));
    EXPECT_NE(text.find("7300 to UUT channel 2"), std::string::npos);
}

TEST(ScopeProcedure, MultiChannelConnectionTexts)
{
    ProcedureInputs in = smallest(6); // 8240 - 5 Channel
    in.scope.numChannels = 1;         // "2 "
    std::string text = multi(in).result.text;
    EXPECT_NE(text.find("  1.012  DISP         Connect channels 1 and 2 of the 8240 to\r\n"
                        "  1.013  DISP         channels 1 and 2 of the UUT\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("  1.014  M7320                                                  C1                     \r\n"),
              std::string::npos);
    EXPECT_NE(text.find("M7320                                                  C2                     \r\n"),
              std::string::npos);

    in.scope.numChannels = 2; // "1"
    text = multi(in).result.text;
    EXPECT_NE(text.find("  1.012  DISP         Connect channel 1 of the 8240 to\r\n"
                        "\r\n\r\n#****"),
              std::string::npos);
    EXPECT_EQ(countOf(text, "of the UUT"), 0u);
    EXPECT_EQ(countOf(text, "# Set channel"), 1u);
}

TEST(ScopeProcedure, MultiChannelTriggerFollowsTheFirstChannelSelection)
{
    ProcedureInputs in = smallest(9); // 8600 - 4 Channel
    in.scope.numChannels = 0;         // "4"
    const std::string text = multi(in).result.text;
    EXPECT_EQ(countOf(text, "# Trigger Test"), 1u);
    EXPECT_NE(text.find("# Set channel\r\n"
                        "  1.014  M8600                       CH1                                               \r\n"
                        "\r\n\r\n"
                        "# Trigger Test\r\n"),
              std::string::npos);
    for (const char* ch : {"CH1", "CH2", "CH3", "CH4"})
        EXPECT_EQ(countOf(text, std::string("M8600                       ") + ch), 1u) << ch;
    EXPECT_EQ(countOf(text, " SC "), 0u);
    EXPECT_EQ(countOf(text, "# Connection"), 0u);
    EXPECT_NE(text.find("\r\n# Scope Procedure by Kestrel\r\n"), std::string::npos);
    EXPECT_NE(text.find("#------------------------------------------\r\n\r\n  "), std::string::npos);
}

TEST(ScopeProcedure, MultiChannelImpedanceStartsWith50Ohm)
{
    ProcedureInputs in = smallest(9);
    in.scope.numChannels = 2;
    ASSERT_TRUE(setImpedanceTest(in.scope, true));
    EXPECT_NE(multi(in).result.text.find(
                  "#----------------------------------------------\r\n"
                  "  3.008  DISP         Align the trace to the bottom graticle line\r\n"
                  "  3.008  DISP         Set UUT to 50 Ohm input\r\n"
                  "# 50 Ohm Impedance\r\n"
                  "  3.009  8600         50Z            0.1%                            ZM    2W          \r\n"
                  "  3.010  DISP         Set UUT to 1 MZ input\r\n"
                  "# 1M Ohm Impedance\r\n"
                  "  3.011  8600         1.000MZ        0.1%                            ZM    2W          \r\n"),
              std::string::npos);
}

TEST(ScopeProcedure, Multi8240SwitchesTheUutInput)
{
    ProcedureInputs in = smallest(6);
    in.scope.numChannels = 2;
    const std::string text = multi(in).result.text;
    EXPECT_NE(text.find("#---------------------------------------------\r\n\r\n"
                        "  1.017  DISP         Remove 50 ohm terminators and switch UUT to 1 MZ input\r\n"
                        "  1.018  DISP         Align the trace to the bottom graticle line\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("  3.002  DISP         Insert a 50 Ohm terminator between the 8240 and the UUT\r\n"
                        "  3.002  DISP         Set UUT to 50 Ohm input\r\n"
                        "  3.003  DISP         Set channel 1 gain to 5mv/Div\r\n"
                        "  3.003  DISP         Set timebase to 5us/div\r\n"),
              std::string::npos);
}

TEST(ScopeProcedure, AmplitudeIndexOutsideTheTableFails)
{
    ProcedureInputs in = smallest(0);
    in.scope.vertGain1 = 6;
    const Outcome run = single(in);
    EXPECT_TRUE(run.result.failed);
    ASSERT_EQ(run.messages.size(), 1u);
    EXPECT_EQ(run.messages[0], "Error: Single_Channel_Scope Error 9");
    // What was written stays, without header or closing lines.
    EXPECT_EQ(run.result.text.rfind("\r\n\r\n\r\n# System Flags\r\n", 0), 0u);
    EXPECT_TRUE(run.result.text.ends_with("  1.014  DISP         Align the trace to the bottom graticle line\r\n\r\n"));
    EXPECT_EQ(countOf(run.result.text, "INSTRUMENT:"), 0u);
}

TEST(ScopeProcedure, ZeroBandwidthWithoutRisetimeFails)
{
    ProcedureInputs in = smallest(9);
    setRisetimeTest(in.scope, true);
    in.scope.risetime.clear();
    in.scope.bandwidth = "0";
    Outcome run = multi(in);
    EXPECT_TRUE(run.result.failed);
    ASSERT_EQ(run.messages.size(), 1u);
    EXPECT_EQ(run.messages[0], "Error: Scope Division by zero");
    EXPECT_TRUE(run.result.text.ends_with("MESS         waveform is on the 100% point\r\n\r\n"));

    run = single(in);
    EXPECT_TRUE(run.result.failed);
    EXPECT_EQ(run.messages.at(0), "Error: Single_Channel_Scope Error 11");

    in.scope.bandwidth = "";
    EXPECT_TRUE(single(in).result.failed);

    // A typed limit needs no bandwidth.
    in.scope.risetime = "50";
    EXPECT_FALSE(single(in).result.failed);
}

} // namespace
} // namespace kestrel
